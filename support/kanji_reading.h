#pragma once
// The reading of a name written in kanji, as the system's Japanese input
// method gives it (IFELanguage of "MSIME.Japan": "家計簿" reads "かけいぼ").
// Where there is no such input method (another language's Windows, Wine)
// there is no reading. The input method is opened at the first reading and
// closed with the reader; a reader serves the one thread that made it,
// which has COM initialised single-threaded.
#include "support/seam_guard.h"

#include <functional>
#include <memory>
#include <string>

class KanjiReader {
public:
    KanjiReader();
    ~KanjiReader();
    KanjiReader(const KanjiReader&) = delete;
    KanjiReader& operator=(const KanjiReader&) = delete;

    // The text's reading in hiragana; empty when there is none.
    std::wstring ReadingOf(const std::wstring& text);

private:
    struct Method;
    std::unique_ptr<Method> method_;
    bool tried_ = false;
};

// Tests give the readings: every reader answers with reading until the guard goes.
using KanjiReadingFunction = std::function<std::wstring(const std::wstring& text)>;
SeamGuard OverrideKanjiReading(KanjiReadingFunction reading);
