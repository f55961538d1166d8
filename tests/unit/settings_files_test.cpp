// shortcut.dat and position.dat beside the program in a folder "表" (0x5C trail byte): what a start reads
// from them, seen in what the launcher writes back.
#include "support/launcher.h"

#include "data/window_positions.h"
#include "shortcuts/shortcut_file.h"
#include "support/program_files.h"

using namespace support;

namespace {

struct FileCase {
    const char* label;
    std::string before;  // the file at the start ("-": none)
    std::string saved;   // what the next save writes; shortcut.dat: "" when it equals before
    bool record = true;  // position.dat: a place for 640 x 480 at (1, 2) is recorded before the save
};

std::string Name(const ::testing::TestParamInfo<FileCase>& info) { return info.param.label; }

// The file named kFile beside the program, written first unless the row says "-".
template <const char* kFile>
class SettingsFile : public ::testing::TestWithParam<FileCase> {
protected:
    void SetUp() override
    {
        OverrideProgramPath(folder_.File("porun.exe").c_str());
        ASSERT_TRUE(GetParam().before == "-" || WriteBytes(folder_.File(kFile), GetParam().before));
    }
    void TearDown() override { DestroyShortcutTable(), OverrideProgramPath(nullptr); }
    std::string Saved() const { return ReadBytes(folder_.File(kFile)); }

    TempFolder folder_{"表"};
};

const char kShortcutFile[] = "shortcut.dat";
const char kPositionFile[] = "position.dat";
using ShortcutFileReading = SettingsFile<kShortcutFile>;
using PositionFileReading = SettingsFile<kPositionFile>;

TEST_P(ShortcutFileReading, KeepsWhatTheRulesAllow)
{
    LoadShortcutTable();
    ASSERT_TRUE(DeleteFileA(folder_.File(kShortcutFile).c_str()) || GetParam().before == "-");
    ASSERT_TRUE(SaveShortcutTable());
    EXPECT_EQ(GetParam().saved.empty() ? GetParam().before : GetParam().saved, Saved());
}

const std::string kCtrlAltSpace = ActiveLines(VK_SPACE, 6);
const std::string kBase = ShortcutLines(0, 1, 'E', 2, 0) + ActiveLines('P', 2);  // the activation is CTRL+P

std::string WithoutIdLine(std::string lines)
{
    return lines.erase(0, lines.find("\r\n") + 2);
}

INSTANTIATE_TEST_SUITE_P(Files, ShortcutFileReading, ::testing::ValuesIn(std::vector<FileCase>{
    {"NoFile", "-", ActiveLines(0, 0)},
    {"RoundTripKeepsIdsAsStored", ShortcutLines(0, 0, 'Q', 3, 1, 0) + ShortcutLines(4, 2, 'Z', 1, 0, 17) +
     ShortcutLines(9, 9, VK_F5, 4, 0) + ActiveLines('K', 6), ""},
    {"NoActiveLines", ShortcutLines(0, 1, 'A', 2, 0), ShortcutLines(0, 1, 'A', 2, 0) + kCtrlAltSpace},
    {"ActiveKeyZeroStaysCleared", ActiveLines(0, 6), ActiveLines(0, 6)},
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
    {"OversizedFile", ShortcutLines(0, 1, 'A', 2, 0) + std::string(2 << 20, ' '), ActiveLines(0, 0)},
    {"LongerNameBesideTheName", "ShortCut.Active.keyboard,7\r\n" + ActiveLines('K', 2), ActiveLines('K', 2)},
    {"FirstOfTwoLinesWins", ActiveLines('K', 2) + ActiveLines('L', 2) + "shortcut.active.key,77\r\n",
     ActiveLines('K', 2)},
    // the search window's hotkey needs CTRL and a combination of its own
    {"SearchKey", kBase + "ShortCut.Search.key,70\r\nShortCut.Search.flag,6\r\n", ""},
    {"SearchKeyWithoutCtrl", kBase + "ShortCut.Search.key,70\r\nShortCut.Search.flag,4\r\n", kBase},
    {"SearchKeyOfTheActivation", kBase + "ShortCut.Search.key,80\r\nShortCut.Search.flag,2\r\n", kBase},
    {"SearchKeyNoNumber", kBase + "ShortCut.Search.key,abc\r\nShortCut.Search.flag,6\r\n", kBase},
}), Name);

std::string Slot(int slot, int width, int height, int x, int y)
{
    char lines[256];
    wsprintfA(lines, "position%02d.desktop.width,%d\r\nposition%02d.desktop.height,%d\r\nposition%02d.positon.x,%d\r\n"
              "position%02d.positon.y,%d\r\n", slot, width, slot, height, slot, x, slot, y);
    return lines;
}

TEST_P(PositionFileReading, GivesThePlacesPerScreenSize)
{
    WindowPositionTable table;
    ClearPositions(&table);
    LoadPositions(&table);
    if (GetParam().record) {
        ASSERT_TRUE(RecordPosition(&table, 640, 480, 1, 2));
    }
    ASSERT_TRUE(SavePositions(&table));
    EXPECT_EQ(GetParam().saved, Saved());
    EXPECT_FALSE(Exists(folder_.File("position.dat.tmp")));
}

const std::string kSlot5 = "position05.desktop.width,1280\r\nposition05.desktop.height,1024\r\n"
                           "position05.positon.x,600\r\nposition05.positon.y, 12\r\n";

INSTANTIATE_TEST_SUITE_P(Files, PositionFileReading, ::testing::ValuesIn(std::vector<FileCase>{
    {"NoFile", "-", Slot(0, 640, 480, 1, 2)},
    {"UsedSlotsInSlotOrder", Slot(2, 800, 600, 750, -1) + Slot(7, 1280, 1024, -1, 200),
     Slot(0, 640, 480, 1, 2) + Slot(2, 800, 600, 750, -1) + Slot(7, 1280, 1024, -1, 200)},
    {"OnlySlotFive", kSlot5, Slot(0, 640, 480, 1, 2) + Slot(5, 1280, 1024, 600, 12)},
    {"SameSizeKeepsItsSlot", kSlot5 + Slot(6, 640, 480, 9, 9), Slot(5, 1280, 1024, 600, 12) + Slot(6, 640, 480, 1, 2)},
    {"MissingLinesReadAsZero", "position02.desktop.width,800\r\nposition03.desktop.height,600\r\n",
     Slot(0, 640, 480, 1, 2) + Slot(2, 800, 0, 0, 0)},
    {"HostileValues", "position00.desktop.width,abc\r\nxposition01.desktop.width,5\r\nposition03.desktop.width,42abc\r\n"
     "position04.desktop.width,+17\r\nposition06.desktop.width,\r\nposition19.desktop.width,99999999999\r\n"
     "position20.desktop.width,640\r\nposition08.desktop.height,1 position08.desktop.width,9\r\n",
     Slot(0, 0, 0, 0, 0) + Slot(1, 640, 480, 1, 2) + Slot(3, 42, 0, 0, 0) + Slot(4, 17, 0, 0, 0) +
     Slot(6, 0, 0, 0, 0) + Slot(19, 2147483647, 0, 0, 0)},
    {"BlanksAfterTheComma", "position01.desktop.width, \t1024\r\n", Slot(0, 640, 480, 1, 2) + Slot(1, 1024, 0, 0, 0)},
    {"HalfWrittenLastLine", Slot(1, 800, 600, 3, 4) + "position02.desktop.width,1024",
     Slot(0, 640, 480, 1, 2) + Slot(1, 800, 600, 3, 4)},
    {"LineFeedsOnly", "position01.desktop.width,1024\n", Slot(0, 640, 480, 1, 2)},
    {"EmptyTableEmptiesTheFile", "old contents\r\n", "", false},
}), Name);

}  // namespace
