// The files beside the program in a folder "表" (0x5C trail byte): what a start reads, what saves leave.
#include "support/launcher.h"

#include "app/launcher_load.h"
#include "data/atomic_file.h"
#include "data/button_place.h"
#include "data/generations.h"
#include "data/launcher.h"
#include "data/window_positions.h"
#include "resources/resource_ids.h"
#include "shortcuts/saved_changes.h"
#include "shortcuts/shortcut_file.h"
#include "support/program_files.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace support;

namespace {

// A program "porun.exe" in a folder "表"; what the launcher holds and its seams are put back afterwards.
template <class Row>
class BesideTheProgram : public ::testing::TestWithParam<Row> {
protected:
    TempFolder folder_{L"表"};
    const SeamGuard programPath_ = OverrideProgramPath(folder_.File(L"porun.exe").c_str());
    std::unique_ptr<Launcher> launcher_ = Launcher::Create();
};

const wchar_t kLoadFailed[] = L"データの読み込みに失敗したのら！！", kSaveFailed[] = L"データの保存に失敗したのら！！";

// A current-layout image: button (1,3) "Editor", settings {1, 0, count, 120, 80, last, startWithLast}.
std::string Image(int count = 4, int last = 2, int startWithLast = 1, char title = 0, char groupName = 0)
{
    DataImage image;
    image.Button(1, 3, L"Editor", L"C:\\bin\\edit.exe", L"-n", L"", L"", 2);
    image.settings = AppSettings{1, 0, count, 120, 80, last, startWithLast};
    if (title) {  // unterminated texts
        std::memset(image.groups[1].buttons[3].title, title, kStoredFieldSize);
        std::memset(image.groups[9].group.name, groupName, kStoredFieldSize);
    }
    return image.Bytes();
}

// The layout before button icon files: (0,0) and (9,7) assigned, group 9 named.
std::string OlderLayout()
{
    DataImage image;
    image.Button(0, 0, L"t00", L"C:\\g0\\b0.exe", L"", L"", L"", 1);
    image.Button(9, 7, L"t97", L"C:\\g9\\b7.exe", L"", L"", L"", 8);
    image.Group(9, L"last");
    std::string bytes;
    for (const auto& group : image.groups) {
        bytes.append(reinterpret_cast<const char*>(&group.group), sizeof group.group);
        for (const StoredButton& button : group.buttons)
            bytes.append(reinterpret_cast<const char*>(&button), offsetof(StoredButton, iconFile));
    }
    const AppSettings settings{0, 1, 5, 10, 20, 3, 0};
    return bytes.append(reinterpret_cast<const char*>(&settings), sizeof settings);
}

// What the launcher holds: settings, current group, every named group and assigned button.
std::wstring Loaded(const Launcher& launcher)
{
    const AppSettings s = launcher.Settings();
    std::wstring out = L"s=";
    for (int value : {s.collapseOnLaunch, s.alwaysOnTop, s.groupCount, s.windowX, s.windowY, s.startWithLastGroup})
        out += std::to_wstring(value) + L",";
    out.back() = L' ';
    out += L"@" + std::to_wstring(launcher.CurrentGroup());
    for (int g = 0; g < kGroupCount; ++g) {
        const GroupRecord& group = launcher.Data().groups[g].group;
        if (group.name[0] || group.iconFile[0])
            out += L" g" + std::to_wstring(g) + L"=" + group.name + L"|" + group.iconFile + L"#" +
                   std::to_wstring(group.iconIndex);
        for (int b = 0; b < kButtonsPerGroup; ++b) {
            const ButtonRecord& r = *launcher.ButtonAt(g, b);
            if (r.file[0] || r.title[0])
                out += L" b" + std::to_wstring(ButtonPlace{g, b}.Number()) + L"=" + r.file + L"|" + r.title + L"|" +
                       r.workDir + L"|" + r.params + L"|" + r.iconFile + L"#" + std::to_wstring(r.iconIndex);
        }
    }
    return out;
}

const std::wstring kDefaults = L"s=1,0,3,210,170,0 @0";  // a first start: the window's own place
const std::wstring kNothing = L"s=0,0,1,0,0,0 @0";      // after a failed load, which says so
const std::wstring kButton = L" b13=C:\\bin\\edit.exe|Editor||-n|#2";
const std::wstring kEditor = L"s=1,0,4,120,80,1 @2" + kButton;  // Image() with its defaults
const std::wstring kSaved = L"porun.dat=141068";
const std::string kIni = "[SETTING]\r\nGROUPMAX=";

struct StartCase {
    const char* name;
    std::vector<std::pair<const wchar_t*, std::string>> before;  // files beside the program
    std::wstring loaded;
    std::wstring after = kSaved;  // the folder after two saves
    const wchar_t* program = L"porun.exe";
    const wchar_t* saveMessage = L"";
    const wchar_t* movedAside = L"";  // a damaged data file's set: the new names the message gives, one a line
};

// What a start that cannot load the data file says.
std::wstring LoadFailedMessage(const wchar_t* movedAside)
{
    wchar_t where[1024];
    swprintf(where, 1024, String(IDS_MSG_DAMAGED_SET_MOVED).c_str(), movedAside);
    return kLoadFailed + (*movedAside ? L"\n\n" + std::wstring(where) : L"");
}
class DataFileAtStart : public BesideTheProgram<StartCase> {};

TEST_P(DataFileAtStart, LoadsWhatTheFilesHoldAndSavesTheCurrentLayout)
{
    const StartCase& c = GetParam();
    for (const auto& [name, bytes] : c.before)
        ASSERT_TRUE(WriteBytes(folder_.File(name), bytes));
    const SeamGuard programPath = OverrideProgramPath(folder_.File(c.program).c_str());
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 210, 170, 40, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(launcher_);
    for (int step = 0; step < 3; ++step) {  // the start, then two saves
        const std::wstring failed = c.loaded == kNothing ? LoadFailedMessage(c.movedAside) : L"";
        const std::wstring message = step ? c.saveMessage : failed;
        std::unique_ptr<DialogWaiter> box(!message.empty() ? new DialogWaiter(L"=(@.@)=", IDOK) : nullptr);
        EXPECT_EQ(message.empty(), step ? SaveDataChanges(owner, *launcher_) : LoadDataFile(owner, *launcher_));
        EXPECT_EQ(message, box ? box->Message() : L"");
        if (step == 0) {
            EXPECT_EQ(c.loaded, Loaded(*launcher_));
            EXPECT_TRUE(!c.before.empty() || !Exists(folder_.File(L"porun.dat")));  // a start creates nothing
        }
    }
    DestroyWindow(owner);
    std::wstring after;  // names and sizes of the files but the ini, which is only read, and the generations
    for (const std::wstring& name : ListTree(folder_.Path()))
        if (name != L"porun.ini" && name.rfind(kGenerationsFolderName, 0) != 0)
            after += (after.empty() ? L"" : L" ") + name + L"=" + std::to_wstring(ReadBytes(folder_.File(name)).size());
    EXPECT_EQ(c.after, after);
}

INSTANTIATE_TEST_SUITE_P(Files, DataFileAtStart, ::testing::ValuesIn(std::vector<StartCase>{
    {"CurrentLayout", {{L"porun.dat", Image()}}, kEditor}, {"NoFile", {}, kDefaults},
    {"OlderLayout", {{L"porun.dat", OlderLayout()}},
     L"s=0,1,5,10,20,0 @0 b0=C:\\g0\\b0.exe|t00|||C:\\g0\\b0.exe#1 g9=last|#0"
     L" b97=C:\\g9\\b7.exe|t97|||C:\\g9\\b7.exe#8"},
    {.name = "Empty", .before = {{L"porun.dat", ""}}, .loaded = kNothing, .after = kSaved + L" porun.dat.bad=0",
     .movedAside = L"porun.dat.bad"},
    {.name = "OneByteShort", .before = {{L"porun.dat", Image().substr(1)}}, .loaded = kNothing,
     .after = kSaved + L" porun.dat.bad=141067", .movedAside = L"porun.dat.bad"},
    {.name = "OneByteLonger", .before = {{L"porun.dat", Image() + "x"}}, .loaded = kNothing,
     .after = kSaved + L" porun.dat.bad=141069", .movedAside = L"porun.dat.bad"},
    {.name = "BetweenLayouts", .before = {{L"porun.dat", Image().substr(0, 120000)}}, .loaded = kNothing,
     .after = kSaved + L" porun.dat.bad=120000", .movedAside = L"porun.dat.bad"},
    {.name = "EarlierKeptCopy", .before = {{L"porun.dat", "second"}, {L"porun.dat.bad", "first"}}, .loaded = kNothing,
     .after = kSaved + L" porun.dat.bad=5 porun.dat.bad2=6", .movedAside = L"porun.dat.bad2"},
    {.name = "DamagedWithTheFilesBesideIt",
     .before = {{L"porun.dat", "second"}, {L"porun.names", "names"}, {L"porun.options", "folder_menu_0,1\r\n"},
                {L"porun.names.bad", "first"}},
     .loaded = kNothing,
     .after = kSaved + L" porun.dat.bad2=6 porun.names.bad=5 porun.names.bad2=5 porun.options.bad2=17",
     .movedAside = L"porun.dat.bad2\nporun.names.bad2\nporun.options.bad2"},
    {"UnterminatedTexts", {{L"porun.dat", Image(77, 12, 1, 'A', 'B')}},
     L"s=1,0,10,120,80,1 @0 b13=C:\\bin\\edit.exe|" + std::wstring(260, L'A') + L"||-n|#2 g9=" +
         std::wstring(260, L'B') + L"|#0"},
    {"GroupCountBelowOne", {{L"porun.dat", Image(-3, 0, 0)}}, L"s=1,0,1,120,80,0 @0" + kButton},
    {"LastGroupBeyondTheCount", {{L"porun.dat", Image(3, 7, 1)}}, L"s=1,0,3,120,80,1 @7" + kButton},
    {"LastGroupNotWanted", {{L"porun.dat", Image(3, 7, 0)}}, L"s=1,0,3,120,80,0 @0" + kButton},
    {"CompleteTemporaryFile", {{L"porun.dat.tmp", Image()}}, kEditor},
    {"HalfTemporaryFile", {{L"porun.dat.tmp", Image().substr(0, 5000)}}, kDefaults},
    {"StaleTemporaryFile", {{L"porun.dat", Image()}, {L"porun.dat.tmp", Image(9)}}, kEditor},
    {"ProgramWithoutExtension", {}, kNothing, L"", L"porun", kSaveFailed},
    // The older generation's porun.ini counts only while there is no porun.dat.
    {"IniButton", {{L"porun.ini", "[BUTTON 5]\r\nFILE=C:\\Tools\\editor.exe\r\nNAME=editor\r\n"}},
     L"s=1,1,3,30,30,0 @0 b5=C:\\Tools\\editor.exe|editor|||#0"},
    {"IniSectionsPaddedWithABlank",
     {{L"porun.ini", "[BUTTON15]\r\nFILE=C:\\a.exe\r\nDIR=C:\\w\r\nPARAM=-x 1\r\nICON=2\r\n"
                    "[BUTTON05]\r\nFILE=C:\\z.exe\r\n"
                    "[GROUP 3]\r\nNAME=games\r\nFILE=C:\\i.dll\r\nICON=4\r\n[GROUP03]\r\nNAME=wrong\r\n"}},
     L"s=1,1,3,30,30,0 @0 b15=C:\\a.exe||C:\\w|-x 1|#2 g3=games|C:\\i.dll#4"},
    {"IniSettings", {{L"porun.ini", kIni + "7\r\nWINCHANGE=0\r\nWINTOP=0\r\n[Windows]\r\nWINX=-5\r\nWINY=640\r\n"}},
     L"s=0,0,7,-5,640,0 @0"},
    {"IniGroupMaxEleven", {{L"porun.ini", kIni + "11\r\n"}}, L"s=1,1,10,30,30,0 @0"},
    {"IniGroupMaxHuge", {{L"porun.ini", kIni + "4000000000\r\n"}}, L"s=1,1,1,30,30,0 @0"},
    {"IniGroupMaxNoNumber", {{L"porun.ini", kIni + "x\r\n"}}, L"s=1,1,1,30,30,0 @0"},
    {"IniLongName", {{L"porun.ini", "[BUTTON 0]\r\nNAME=" + std::string(600, 'n') + "\r\nFILE=C:\\f.exe\r\n"}},
     L"s=1,1,3,30,30,0 @0 b0=C:\\f.exe|" + std::wstring(260, L'n') + L"|||#0"},
    {"IniBesideADataFile", {{L"porun.dat", Image()}, {L"porun.ini", "[BUTTON 6]\r\nFILE=C:\\new.exe\r\n"}}, kEditor},
}), RowName);

// A save that fails at any step leaves the file as it was and no temporary file; the next save stores the change.
using CallChange = std::function<void(FileCalls&)>;
struct FailCase {
    const char* name;
    const wchar_t* file;
    bool (*save)(Launcher& launcher);
    CallChange fail;
};

bool SaveData(Launcher& launcher) { return SaveDataChanges(nullptr, launcher); }
HANDLE WINAPI NoFile(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)
{
    return INVALID_HANDLE_VALUE;
}
BOOL WINAPI NoWrite(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) { return *written = 0, FALSE; }
BOOL WINAPI ClosedButFailed(HANDLE f) { return CloseHandle(f) && FALSE; }  // the file closed, a failure told
BOOL WINAPI HalfWrite(HANDLE f, LPCVOID d, DWORD n, LPDWORD w, LPOVERLAPPED o) { return WriteFile(f, d, n / 2, w, o); }
const CallChange kMoveFails = [](FileCalls& c) { c.moveFileEx = [](LPCWSTR, LPCWSTR, DWORD) { return FALSE; }; };
bool SavePlaces(Launcher& launcher) { return SavePositions(&launcher.Positions(), launcher.Files()); }

class SaveSurvivesAFailingStep : public BesideTheProgram<FailCase> {};

TEST_P(SaveSurvivesAFailingStep, KeepsTheOldFile)
{
    const std::wstring file = folder_.File(GetParam().file);
    ASSERT_TRUE(WriteBytes(file, "old"));
    const bool data = GetParam().save == SaveData;
    ASSERT_TRUE(launcher_);
    FileCalls failing = CurrentFileCalls();
    GetParam().fail(failing);
    {
        const SeamGuard calls = OverrideFileCalls(failing);
        std::unique_ptr<DialogWaiter> box(data ? new DialogWaiter(L"=(@.@)=", IDOK) : nullptr);
        EXPECT_FALSE(GetParam().save(*launcher_));
        EXPECT_EQ(data ? kSaveFailed : L"", box ? box->Message() : L"");
    }
    EXPECT_EQ("old", ReadBytes(file));
    EXPECT_FALSE(Exists(file + L".tmp"));
    EXPECT_TRUE(GetParam().save(*launcher_));
    EXPECT_NE("old", ReadBytes(file));
}

INSTANTIATE_TEST_SUITE_P(Steps, SaveSurvivesAFailingStep, ::testing::ValuesIn(std::vector<FailCase>{
    {"DataCreate", L"porun.dat", SaveData, [](FileCalls& c) { c.createFile = NoFile; }},
    {"DataWrite", L"porun.dat", SaveData, [](FileCalls& c) { c.writeFile = NoWrite; }},
    {"DataShortWrite", L"porun.dat", SaveData, [](FileCalls& c) { c.writeFile = HalfWrite; }},  // a full disk's part
    {"DataFlush", L"porun.dat", SaveData, [](FileCalls& c) { c.flushFileBuffers = [](HANDLE) { return FALSE; }; }},
    {"DataClose", L"porun.dat", SaveData, [](FileCalls& c) { c.closeHandle = ClosedButFailed; }},
    {"DataMove", L"porun.dat", SaveData, kMoveFails},
    {"PositionsMove", L"position.dat", SavePlaces, kMoveFails},
    {"ShortcutsMove", L"shortcut.dat", SaveShortcutTable, kMoveFails},
}), RowName);

struct FileCase {
    const char* name;
    std::string before;  // the file at the start ("-": none)
    std::string saved;   // what the next save writes; shortcut.dat: "" when it equals before
    bool record = true;  // position.dat: a place for 640 x 480 at (1, 2) is recorded before the save
};
class ShortcutFileReading : public BesideTheProgram<FileCase> {};

TEST_P(ShortcutFileReading, KeepsWhatTheRulesAllow)
{
    ASSERT_TRUE(GetParam().before == "-" || WriteBytes(folder_.File(L"shortcut.dat"), GetParam().before));
    LoadShortcutTable(*launcher_);
    ASSERT_TRUE(DeleteFileW(folder_.File(L"shortcut.dat").c_str()) || GetParam().before == "-");
    ASSERT_TRUE(SaveShortcutTable(*launcher_));
    const std::string& expected = GetParam().saved.empty() ? GetParam().before : GetParam().saved;
    EXPECT_EQ(expected, ReadBytes(folder_.File(L"shortcut.dat")));
}

const std::string kCtrlAltSpace = ActiveLines(VK_SPACE, 6);
const std::string kBase = ShortcutLines(0, 1, 'E', 2, 0) + ActiveLines('P', 2);  // the activation is CTRL+P

std::string WithoutIdLine(std::string lines) { return lines.erase(0, lines.find("\r\n") + 2); }

INSTANTIATE_TEST_SUITE_P(Files, ShortcutFileReading, ::testing::ValuesIn(std::vector<FileCase>{
    {"NoFile", "-", ActiveLines(0, 0)}, {"ActiveKeyZeroStaysCleared", ActiveLines(0, 6), ActiveLines(0, 6)},
    {"RoundTripKeepsIdsAsStored", ShortcutLines(0, 0, 'Q', 3, 1, 0) + ShortcutLines(4, 2, 'Z', 1, 0, 17) +
     ShortcutLines(9, 9, VK_F5, 4, 0) + ActiveLines('K', 6), ""},
    {"NoActiveLines", ShortcutLines(0, 1, 'A', 2, 0), ShortcutLines(0, 1, 'A', 2, 0) + kCtrlAltSpace},
    {"RefusedActiveKey", ActiveLines(VK_RETURN, 2), kCtrlAltSpace},
    {"ActiveKeyOfASystemHotkey", ShortcutLines(0, 3, 'J', 6, 1) + ActiveLines('J', 6),
     ShortcutLines(0, 3, 'J', 6, 1) + kCtrlAltSpace},
    {"ActiveKeyWithoutFlagLine", "ShortCut.Active.key,123\r\n", ActiveLines(123, 0)},
    {"SameKeyAfterASystemHotkey", ShortcutLines(0, 1, 'A', 2, 1) + ShortcutLines(0, 2, 'A', 2, 0) + kCtrlAltSpace,
     ShortcutLines(0, 1, 'A', 2, 1) + kCtrlAltSpace},
    {"SameKeyTwicePlain", ShortcutLines(0, 1, 'A', 2, 0) + ShortcutLines(0, 2, 'A', 2, 0) + kCtrlAltSpace, ""},
    {"DigitsPlainShiftCtrl", ShortcutLines(0, 0, '5', 0, 0) + ShortcutLines(0, 1, '5', 1, 0) +
     ShortcutLines(0, 2, '5', 2, 0) + kCtrlAltSpace, ShortcutLines(0, 1, '5', 1, 0) + kCtrlAltSpace},
    {"EntryWithoutIdLine", WithoutIdLine(ShortcutLines(6, 6, 'A', 2, 0)) + "ShortCut.99:000.key,65\r\nnonsense\r\n" +
     kCtrlAltSpace, kCtrlAltSpace},
    {"IdWithoutKey", "ShortCut.01:001.id,11\r\n" + kCtrlAltSpace, kCtrlAltSpace},
    {"KeysBeyondTheKeyTable", ShortcutLines(1, 0, 300, 2, 0) + ShortcutLines(1, 1, -7, 2, 0) + kCtrlAltSpace, ""},
    {"LongerNameBesideTheName", "ShortCut.Active.keyboard,7\r\n" + ActiveLines('K', 2), ActiveLines('K', 2)},
    {"FirstOfTwoLinesWins", ActiveLines('K', 2) + ActiveLines('L', 2) + "shortcut.active.key,77\r\n",
     ActiveLines('K', 2)},
    // the search window's hotkey needs CTRL and a combination of its own
    {"SearchKey", kBase + "ShortCut.Search.key,70\r\nShortCut.Search.flag,6\r\n", ""},
    {"SearchKeyWithoutCtrl", kBase + "ShortCut.Search.key,70\r\nShortCut.Search.flag,4\r\n", kBase},
    {"SearchKeyOfTheActivation", kBase + "ShortCut.Search.key,80\r\nShortCut.Search.flag,2\r\n", kBase},
    {"SearchKeyNoNumber", kBase + "ShortCut.Search.key,abc\r\nShortCut.Search.flag,6\r\n", kBase},
}), RowName);

std::string Slot(int slot, int width, int height, int x, int y)
{
    char lines[256];
    std::snprintf(lines, sizeof lines,
                  "position%02d.desktop.width,%d\r\nposition%02d.desktop.height,%d\r\n"
                  "position%02d.positon.x,%d\r\nposition%02d.positon.y,%d\r\n",
                  slot, width, slot, height, slot, x, slot, y);
    return lines;
}

class PositionFileReading : public BesideTheProgram<FileCase> {};

TEST_P(PositionFileReading, GivesThePlacesPerScreenSize)
{
    ASSERT_TRUE(GetParam().before == "-" || WriteBytes(folder_.File(L"position.dat"), GetParam().before));
    WindowPositionTable table;
    ClearPositions(&table);
    LoadPositions(&table, launcher_->Files());
    ASSERT_TRUE(!GetParam().record || RecordPosition(&table, 640, 480, 1, 2));
    ASSERT_TRUE(SavePositions(&table, launcher_->Files()));
    EXPECT_EQ(GetParam().saved, ReadBytes(folder_.File(L"position.dat")));
    EXPECT_FALSE(Exists(folder_.File(L"position.dat.tmp")));
}

const std::string kSlot5 = "position05.desktop.width,1280\r\nposition05.desktop.height,1024\r\n"
                           "position05.positon.x,600\r\nposition05.positon.y, 12\r\n";

INSTANTIATE_TEST_SUITE_P(Files, PositionFileReading, ::testing::ValuesIn(std::vector<FileCase>{
    {"NoFile", "-", Slot(0, 640, 480, 1, 2)}, {"EmptyTableEmptiesTheFile", "old contents\r\n", "", false},
    {"UsedSlotsInSlotOrder", Slot(2, 800, 600, 750, -1) + Slot(7, 1280, 1024, -1, 200),
     Slot(0, 640, 480, 1, 2) + Slot(2, 800, 600, 750, -1) + Slot(7, 1280, 1024, -1, 200)},
    {"OnlySlotFive", kSlot5, Slot(0, 640, 480, 1, 2) + Slot(5, 1280, 1024, 600, 12)},
    {"SameSizeKeepsItsSlot", kSlot5 + Slot(6, 640, 480, 9, 9), Slot(5, 1280, 1024, 600, 12) + Slot(6, 640, 480, 1, 2)},
    {"OnlyTheHeightDiffers", Slot(3, 640, 800, 9, 9), Slot(0, 640, 480, 1, 2) + Slot(3, 640, 800, 9, 9)},
    {"MissingLinesReadAsZero", "position02.desktop.width,800\r\nposition03.desktop.height,600\r\n",
     Slot(0, 640, 480, 1, 2) + Slot(2, 800, 0, 0, 0)},
    {"HostileValues", "position00.desktop.width,abc\r\nxposition01.desktop.width,5\r\n"
     "position03.desktop.width,42abc\r\nposition04.desktop.width,+17\r\nposition06.desktop.width,\r\n"
     "position19.desktop.width,99999999999\r\n"
     "position20.desktop.width,640\r\nposition08.desktop.height,1 position08.desktop.width,9\r\n",
     Slot(0, 0, 0, 0, 0) + Slot(1, 640, 480, 1, 2) + Slot(3, 42, 0, 0, 0) + Slot(4, 17, 0, 0, 0) +
     Slot(6, 0, 0, 0, 0) + Slot(19, 2147483647, 0, 0, 0)},
    {"BlanksAfterTheComma", "position01.desktop.width, \t1024\r\n", Slot(0, 640, 480, 1, 2) + Slot(1, 1024, 0, 0, 0)},
    {"HalfWrittenLastLine", Slot(1, 800, 600, 3, 4) + "position02.desktop.width,1024",
     Slot(0, 640, 480, 1, 2) + Slot(1, 800, 600, 3, 4)},
    {"LineFeedsOnly", "position01.desktop.width,1024\n", Slot(0, 640, 480, 1, 2)},
}), RowName);

}  // namespace
