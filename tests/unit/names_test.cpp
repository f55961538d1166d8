// Names kept whole beside porun.dat: the names file's lines, the fields' code page 932 forms, the file's bytes kept.
#include "support/launcher.h"

#include "app/launcher_load.h"
#include "data/field_form.h"
#include "data/names_line.h"
#include "data/store_field.h"
#include "data/whole_names.h"
#include "shortcuts/saved_changes.h"
#include "support/program_files.h"
#include "support/path_lookup.h"

#include <cstring>
#include <functional>
#include <memory>

using support::Restore;
using support::RowName;

namespace {

const std::string kFace = "\xF0\x9F\x98\x80";  // U+1F600 in UTF-8: beyond code page 932
const std::string kLine = "group02.button04.file\tC:\\\\?.exe\tC:\\\\" + kFace + ".exe";
const std::string kComment = "; ポルンのデータファイルに入りきらない名前を、まるごと覚えておくファイルなのら。\r\n";

struct LineCase {
    const char* name;
    std::string line;
    bool sound;
    int field = -1;  // FieldIndexOf the key
    std::wstring form = L"";
    std::wstring whole = L"";
};
using NamesLineParsing = ::testing::TestWithParam<LineCase>;

TEST_P(NamesLineParsing, TakesOnlySoundLinesAndWritesThemBackAlike)
{
    const LineCase& c = GetParam();
    NamesLine line;
    ASSERT_EQ(c.sound, ParseNamesLine(c.line.data(), c.line.size(), &line));
    if (!c.sound)
        return;
    EXPECT_EQ(c.field, FieldIndexOf(line.place));
    EXPECT_EQ(c.form, line.form);
    EXPECT_EQ(c.whole, line.whole);
    EXPECT_EQ(c.line + "\r\n", FormatNamesLine(line.place, line.form, line.whole));
}

INSTANTIATE_TEST_SUITE_P(Lines, NamesLineParsing, ::testing::ValuesIn(std::vector<LineCase>{
    {.name = "ButtonFile", .line = kLine, .sound = true, .field = 52 + 2 + 3 * 5 + 1, .form = L"C:\\?.exe",
     .whole = L"C:\\\U0001F600.exe"},
    {.name = "GroupName", .line = "group10.name\t?\t" + kFace, .sound = true, .field = 9 * 52, .form = L"?",
     .whole = L"\U0001F600"},
    {.name = "GroupIcon", .line = "group01.icon\t\t" + kFace, .sound = true, .field = 1, .whole = L"\U0001F600"},
    {.name = "LastButtonsOptions", .line = "group10.button10.options\ta\\\\b\\tc\\rd\\ne\tx", .sound = true,
     .field = 519 - 1, .form = L"a\\b\tc\rd\ne", .whole = L"x"},
    {.name = "WholeOfTheFieldsLength", .line = "group01.button01.title\t\t" + std::string(260, 'w'), .sound = true,
     .field = 2, .whole = std::wstring(260, L'w')},
    {.name = "WholePastTheField", .line = "group01.button01.title\t\t" + std::string(261, 'w'), .sound = false},
    {.name = "UnknownEscape", .line = "group01.name\t\\x\ty", .sound = false},
    {.name = "EscapeCutOff", .line = "group01.name\tx\ty\\", .sound = false},
    {.name = "GroupZero", .line = "group00.name\tx\ty", .sound = false},
    {.name = "GroupEleven", .line = "group11.name\tx\ty", .sound = false},
    {.name = "OneDigit", .line = "group1.name\tx\ty", .sound = false},
    {.name = "ButtonEleven", .line = "group01.button11.file\tx\ty", .sound = false},
    {.name = "ButtonFieldOfAGroup", .line = "group01.title\tx\ty", .sound = false},
    {.name = "GroupFieldOfAButton", .line = "group01.button01.name\tx\ty", .sound = false},
    {.name = "TrailingKeyText", .line = "group01.names\tx\ty", .sound = false},
    {.name = "NoWhole", .line = "group01.name\tx", .sound = false},
    {.name = "ExtraPart", .line = "group01.name\tx\ty\tz", .sound = false},
    {.name = "InvalidUtf8", .line = "group01.name\tx\t\xC3\x28", .sound = false},
    {.name = "Nul", .line = std::string("group01.name\tx\ty\0z", 18), .sound = false},
    {.name = "LinePastTheLimit", .line = "group01.name\tx\t" + std::string(kNamesLineMaxSize, 'y'), .sound = false},
}), RowName);

// The names text applied to button (1,3)'s file: what it held before and after.
struct ApplyCase {
    const char* name;
    std::wstring before;
    std::string text;
    std::wstring after;
};
using NamesApplying = ::testing::TestWithParam<ApplyCase>;

TEST_P(NamesApplying, ReplacesAFieldStillAsTheLineSaysOnce)
{
    const auto data = std::make_unique<LauncherData>();
    StoreField(data->groups[1].buttons[3].file, GetParam().before.c_str());
    const bool changed = GetParam().after != GetParam().before;
    EXPECT_EQ(changed ? 1 : 0, ApplyNamesText(GetParam().text.data(), GetParam().text.size(), data.get()));
    EXPECT_EQ(GetParam().after, data->groups[1].buttons[3].file);
}

const std::wstring kForm = L"C:\\?.exe", kWhole = L"C:\\\U0001F600.exe";

INSTANTIATE_TEST_SUITE_P(Texts, NamesApplying, ::testing::ValuesIn(std::vector<ApplyCase>{
    {.name = "FirstOfRepeatedKeys", .before = kForm, .text = kLine + "\r\n" + kLine + "2\r\n", .after = kWhole},
    {.name = "ByteOrderMark", .before = kForm, .text = "\xEF\xBB\xBF" + kLine, .after = kWhole},
    {.name = "LineFeedsAndBlankLines", .before = kForm, .text = "\n\r\n;" + kLine + "2\n" + kLine + "\n",
     .after = kWhole},
    {.name = "AfterUnsoundLines", .before = kForm, .text = "group02.button04.file\t\xC3\x28\tx\r\n" + kLine,
     .after = kWhole},
    {.name = "AfterAHugeLine", .before = kForm, .text = std::string(5 << 20, 'x') + "\n" + kLine, .after = kWhole},
}), RowName);

// What a field is stored as, with the short path the system would give (null: none).
struct FormCase {
    const char* name;
    std::wstring text;
    bool path;
    const wchar_t* shortPath;
    std::string stored;
};
using FieldForms = ::testing::TestWithParam<FormCase>;

const wchar_t* g_shortPath = nullptr;

DWORD WINAPI FakeShortPath(LPCWSTR, LPWSTR buffer, DWORD size)
{
    if (!g_shortPath)
        return 0;
    lstrcpynW(buffer, g_shortPath, static_cast<int>(size));
    return static_cast<DWORD>(std::wcslen(g_shortPath));
}

TEST_P(FieldForms, AreExactShortOrMarkedAndCutOnAWholeCharacter)
{
    g_shortPath = GetParam().shortPath;
    const SeamGuard shortPaths = OverrideShortPathLookup(FakeShortPath);
    char stored[kStoredFieldSize];
    std::memset(stored, 'z', sizeof stored);
    StoredFormOf(GetParam().text.c_str(), GetParam().path, stored);
    const size_t length = GetParam().stored.size();
    EXPECT_EQ(GetParam().stored, std::string(stored, strnlen(stored, sizeof stored)));
    EXPECT_EQ(std::string(kStoredFieldSize - length, '\0'), std::string(stored + length, stored + kStoredFieldSize));
}

const std::wstring kLongPath = L"C:\\\U0001F600\\x.exe";

INSTANTIATE_TEST_SUITE_P(Fields, FieldForms, ::testing::ValuesIn(std::vector<FormCase>{
    {.name = "ExactPathNeedsNoShortForm", .text = L"C:\\表\\x.exe", .path = true, .shortPath = L"C:\\A~1\\x.exe",
     .stored = "C:\\\x95\x5C\\x.exe"},
    {.name = "MarkedWhereItLacks", .text = L"a\U0001F600b", .path = false, .shortPath = nullptr, .stored = "a?b"},
    {.name = "LoneSurrogate", .text = L"a\xD800" L"b", .path = false, .shortPath = nullptr, .stored = "a?b"},
    {.name = "ShortPathOfAFile", .text = kLongPath, .path = true, .shortPath = L"C:\\ABCDEF~1\\x.exe",
     .stored = "C:\\ABCDEF~1\\x.exe"},
    {.name = "NoShortPathForATitle", .text = kLongPath, .path = false, .shortPath = L"C:\\ABCDEF~1\\x.exe",
     .stored = "C:\\?\\x.exe"},
    {.name = "ShortPathTheCodePageLacks", .text = kLongPath, .path = true, .shortPath = L"C:\\\U0001F600~1\\x.exe",
     .stored = "C:\\?\\x.exe"},
    {.name = "NoShortPath", .text = kLongPath, .path = true, .shortPath = nullptr, .stored = "C:\\?\\x.exe"},
}), RowName);

// porun.dat beside "表\porun.exe": the bytes and the names file after a load, an edit of one field and a save.
struct TripCase {
    const char* name;
    std::string file;   // button (1,3)'s file in porun.dat
    std::string names;  // porun.names; "-": none
    std::wstring loaded;
    std::wstring edit = L"";  // button (1,3)'s file after the load; "": left alone
    std::string fileAfter = "";  // "": as it was
    std::string namesAfter = "-";
};

// Undefined bytes and duplicate codes in the title, a group name of an NEC row, button (1,3)'s file as given.
std::string Image(const std::string& file)
{
    support::DataImage image;
    image.Button(1, 3, L"", L"", L"-n");
    std::memcpy(image.groups[1].buttons[3].title, "\x80\xA0\xFD\xFE\xFF\xED\x40\xFA\x5C", 9);
    std::memcpy(image.groups[0].group.name, "\x87\x90\x81\xE0", 4);
    std::memcpy(image.groups[1].buttons[3].file, file.data(), file.size());
    image.groups[1].buttons[3].padding[1] = '\x7F';
    return image.Bytes();
}

class NamesBesideTheData : public ::testing::TestWithParam<TripCase> {
protected:
    std::wstring NamesFile() const { return folder_.File(L"porun.names"); }
    std::string Names() const { return support::Exists(NamesFile()) ? support::ReadBytes(NamesFile()) : "-"; }
    std::wstring Reloaded()
    {
        launcher_ = Launcher::Create();
        return launcher_ && LoadDataFile(nullptr, *launcher_) ? launcher_->ButtonAt(1, 3)->file : L"?";
    }

    support::TempFolder folder_{L"表"};
    const SeamGuard programPath_ = OverrideProgramPath(folder_.File(L"porun.exe").c_str());
    std::unique_ptr<Launcher> launcher_ = Launcher::Create();
};

TEST_P(NamesBesideTheData, KeepBytesNoOneChangedAndNamesWhole)
{
    const TripCase& c = GetParam();
    ASSERT_TRUE(support::WriteBytes(folder_.File(L"porun.dat"), Image(c.file)));
    ASSERT_TRUE(c.names == "-" || support::WriteBytes(NamesFile(), c.names));
    ASSERT_TRUE(launcher_);
    ASSERT_TRUE(LoadDataFile(nullptr, *launcher_));
    EXPECT_EQ(c.loaded, launcher_->ButtonAt(1, 3)->file);
    if (!c.edit.empty())
        StoreField(launcher_->ButtonAt(1, 3)->file, c.edit.c_str());
    ASSERT_TRUE(SaveDataChanges(nullptr, *launcher_));
    EXPECT_TRUE(support::ReadBytes(folder_.File(L"porun.dat")) == Image(c.fileAfter.empty() ? c.file : c.fileAfter));
    EXPECT_EQ(c.namesAfter, Names());
    EXPECT_EQ(c.edit.empty() ? c.loaded : c.edit, Reloaded());
}

const std::string kNamesFile = kComment + kLine + "\r\n";

INSTANTIATE_TEST_SUITE_P(Files, NamesBesideTheData, ::testing::ValuesIn(std::vector<TripCase>{
    {.name = "NothingChanged", .file = "C:\\a.exe", .names = "-", .loaded = L"C:\\a.exe"},
    {.name = "AnotherFieldChanged", .file = "C:\\a.exe", .names = "-", .loaded = L"C:\\a.exe", .edit = L"C:\\表.exe",
     .fileAfter = "C:\\\x95\x5C.exe"},
    {.name = "WholeNameKeptBeside", .file = "C:\\a.exe", .names = "-", .loaded = L"C:\\a.exe", .edit = kWhole,
     .fileAfter = "C:\\?.exe", .namesAfter = kNamesFile},
    {.name = "TooLongInCodePage932", .file = "", .names = "-", .loaded = L"", .edit = std::wstring(140, L'表'),
     .fileAfter = support::Repeated(std::string("\x95\x5C"), 134),
     .namesAfter = kComment + "group02.button04.file\t" + support::Repeated(std::string("表"), 134) + "\t" +
                   support::Repeated(std::string("表"), 140) + "\r\n"},
    {.name = "WholeNameRestored", .file = "C:\\?.exe", .names = kNamesFile, .loaded = kWhole, .namesAfter = kNamesFile},
    {.name = "NamesFileRemoved", .file = "C:\\?.exe", .names = "-", .loaded = kForm},
    {.name = "OlderLaunchersEditWins", .file = "C:\\old.exe", .names = kNamesFile, .loaded = L"C:\\old.exe"},
    {.name = "DamagedNamesFileGoes", .file = "C:\\?.exe", .names = "\xC3\x28\r\n" + kLine + "\\q\r\n", .loaded = kForm},
    {.name = "NamesFileOfManyMegabytes", .file = "C:\\?.exe", .names = kNamesFile + std::string(6 << 20, ';'),
     .loaded = kWhole, .namesAfter = kNamesFile},
}), RowName);

}  // namespace
