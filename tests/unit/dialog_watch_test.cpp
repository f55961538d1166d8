// The test programs' own guard: a box nobody waits for fails the running test and is answered.
#include "support/ui.h"

#include <gtest/gtest-spi.h>

namespace {

TEST(DialogWatch, AnUnexpectedBoxFailsTheTestNamingItAndIsAnswered)
{
    int answer = 0;
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(answer = MessageBoxW(nullptr, L"なにか", L"=(@.@)= 思わぬ箱", MB_YESNO),
                                           u8"unexpected dialog \"=(@.@)= 思わぬ箱\": なにか");
    EXPECT_EQ(IDNO, answer);
}

}  // namespace
