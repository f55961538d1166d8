// The test programs' own guard: a box nobody waits for fails the running test and is answered.
#include "support/files.h"
#include "support/ui.h"

#include <gtest/gtest-spi.h>

namespace {

TEST(DialogWatch, AnUnexpectedBoxFailsTheTestNamingItAndIsAnswered)
{
    int answer = 0;
    const std::string expected = support::Utf8Bytes(u8"unexpected dialog \"=(@.@)= 思わぬ箱\": なにか");
    const wchar_t caption[] = L"=(@.@)= 思わぬ箱";
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(answer = MessageBoxW(nullptr, L"なにか", caption, MB_YESNO), expected);
    EXPECT_EQ(IDNO, answer);
}

}  // namespace
