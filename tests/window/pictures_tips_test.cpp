// The pictures the bar and the settings dialogs show, and the bar's tips.
#include "window/window_test.h"

using namespace window_test;

namespace {

// A copy of source at a path of exactly length UTF-16 units under folder,
// made through the wide calls, which know no MAX_PATH.
std::string CopyAtPathLength(const std::string& folder, const std::string& source, size_t length)
{
    std::string path = folder;
    size_t remaining = length - Wide(path).size();
    for (; remaining > 105; remaining -= 100) {
        path += "\\" + std::string(99, 'd');
        CreateDirectoryW((L"\\\\?\\" + Wide(path)).c_str(), nullptr);
    }
    path += "\\" + std::string(remaining - 5, 'p') + ".exe";
    CopyFileW(Wide(source).c_str(), (L"\\\\?\\" + Wide(path)).c_str(), FALSE);
    return path;
}

struct PictureRow {
    const char* name;
    bool group;            // the group's icon, else button 1's
    const char* file;      // "program", "document", "folder", "missing", a path length, or ""
    const char* iconFile;  // the same words
    int index;
    int expected;  // icon resource shown
};

class ButtonPicture : public Table<PictureRow> {
protected:
    std::string Place(const std::string& word)
    {
        if (word == "program" || word == "document" || word == "folder")
            return word == "folder" ? folder_.Path() : folder_.File(word == "program" ? "porun.exe" : "notes.txt");
        if (word == "missing")
            return folder_.File("missing.exe");
        return word.empty() ? "" : CopyAtPathLength(folder_.Path(), BuildFile(PORUN_EXE_PATH), std::stoul(word));
    }
};

// The bar and the settings dialog's preview show the same picture: what is
// previewed is what the button gets.
TEST_P(ButtonPicture, ShowsTheIconItsRecordNamesAlsoInTheSettings)
{
    ASSERT_TRUE(WriteBytes(folder_.File("notes.txt"), "hello"));
    const std::string file = Place(row().file);
    const std::string iconFile = Place(row().iconFile);
    if (row().group)
        data_.Group(0, "", iconFile, row().index);
    else
        data_.Button(0, 0, "x", file, "", "", iconFile, row().index);
    Open();
    const int control = row().group ? IDC_GROUP_BUTTON : B(0);
    EXPECT_EQ(Resource(row().expected), Shows(control));
    Picture preview;
    DialogWaiter dialog(row().group ? "基本設定" : "ボタンの設定", row().group ? IDC_GROUP_CANCEL : IDCANCEL, [&](HWND d) {
        preview = Picture::OfIcon(reinterpret_cast<HICON>(SendDlgItemMessageA(d, IDC_ICON_PREVIEW, BM_GETIMAGE,
                                                                               IMAGE_ICON, 0)));
    });
    RightClick(control, IDM_BUTTON_SETTINGS);
    EXPECT_TRUE(dialog.Seen());
    if (row().group || (*row().file && std::string(row().file) != "missing")) {  // else no file to preview
        EXPECT_EQ(Resource(row().expected), preview);
    }
    Close();
    if (row().group) {
        EXPECT_EQ(iconFile, Saved()->data.groups[0].group.iconFile) << "a chosen icon file is kept";
    }
}

const PictureRow kPictures[] = {
    {"ProgramShowsItsOwnIcon", false, "program", "", 0, IDI_PROGRAM},
    {"ProgramWithIconThree", false, "program", "", 3, IDI_GROUP_3},
    {"DocumentHasNoIconOfItsOwn", false, "document", "", 0, IDI_NOT_FOUND},
    {"DocumentWithAnIconOfTheProgram", false, "document", "program", 2, IDI_GROUP_2},
    {"MissingFile", false, "missing", "", 0, IDI_NOT_FOUND},
    {"MissingFileWinsOverItsIconFile", false, "missing", "program", 2, IDI_NOT_FOUND},
    {"IconFileWithoutFile", false, "", "program", 4, IDI_GROUP_4},
    {"FolderWithAnIconFile", false, "folder", "program", 1, IDI_FACE},
    {"MissingIconFile", false, "program", "missing", 1, IDI_NOT_FOUND},
    {"FileWithoutIconsAtIndexTwo", false, "document", "document", 2, IDI_NOT_FOUND},
    {"IndexBeyondTheIcons", false, "program", "", 400, IDI_NOT_FOUND},
    {"NegativeIndexCountsAsTheFirst", false, "program", "", -1, IDI_PROGRAM},
    {"PathOf259Fits", false, "259", "", 0, IDI_PROGRAM},
    {"PathOf260CountsAsMissing", false, "260", "", 0, IDI_NOT_FOUND},
    {"PathFillingTheFieldCountsAsMissing", false, "267", "", 0, IDI_NOT_FOUND},
    {"IconFileOf260CountsAsMissing", false, "", "260", 3, IDI_NOT_FOUND},
    {"GroupIconNine", true, "", "program", 9, IDI_GROUP_9},
    {"GroupIconFileMissing", true, "", "missing", 1, IDI_NOT_FOUND},
    {"GroupIconFileOf260CountsAsMissing", true, "", "260", 2, IDI_NOT_FOUND},
};
INSTANTIATE_TEST_SUITE_P(Rows, ButtonPicture, ::testing::ValuesIn(kPictures), RowName());

class Pictures : public LauncherWindow {};

TEST_F(Pictures, AStartedBarShowsArrowsEmptyButtonsAndTheDefaultGroupIconsOfThisProgram)
{
    data_.settings.groupCount = 10;
    Open();
    EXPECT_EQ(Resource(IDI_PREVIOUS_GROUP), Shows(IDC_PREVIOUS_GROUP));
    EXPECT_EQ(Resource(IDI_NEXT_GROUP), Shows(IDC_NEXT_GROUP));
    EXPECT_EQ(Resource(IDI_EMPTY_BUTTON), Shows(B(9)));
    for (int g = 0; g < 10; ++g) {
        EXPECT_EQ(GroupPicture(g), Picture::OfFileIcon(program_, g + 1)) << g;
        for (int other = 0; other < g; ++other) {
            EXPECT_NE(GroupPicture(g), GroupPicture(other)) << g;
        }
    }
    Command(IDM_FIRST_GROUP + 4);
    EXPECT_EQ(GroupPicture(4), Shows(IDC_GROUP_BUTTON));
    Close();
    for (int g = 0; g < 10; ++g) {  // recorded for the groups shown only
        const bool shown = g == 0 || g == 4;
        EXPECT_EQ(shown ? program_ : "", Saved()->data.groups[g].group.iconFile) << g;
        EXPECT_EQ(shown ? g + 1 : 0, Saved()->data.groups[g].group.iconIndex) << g;
    }
}

TEST_F(Pictures, AFileDeletedWhileShownIsNotFoundFromTheNextGroupSwitch)
{
    const std::string tool = CopyInto(BuildFile(PORUN_EXE_PATH), folder_, "tool.exe");
    data_.Button(0, 0, "tool", tool);
    Open();
    ASSERT_TRUE(DeleteFileA(tool.c_str()));
    EXPECT_EQ(Resource(IDI_PROGRAM), Shows(B(0)));
    Command(IDM_FIRST_GROUP);
    EXPECT_EQ(Resource(IDI_NOT_FOUND), Shows(B(0)));
}

struct TipRow {
    const char* name;
    const char* title;
    int key;
    int flags;
    int system;
    std::string expected;
};

class Tooltip : public Table<TipRow> {};

TEST_P(Tooltip, NamesTheButtonAndItsShortcut)
{
    data_.Button(0, 4, row().title, *row().title ? "C:\\x.exe" : "");
    shortcuts_ = ShortcutLines(0, 4, row().key, row().flags, row().system) + ActiveLines(0, 0);
    Open();
    EXPECT_EQ(row().expected, Tip(B(4)));
}

const TipRow kTips[] = {
    {"TitleAlone", "Editor", 0, 0, 0, "Editor"},
    {"PlainShortcutInRoundBrackets", "Editor", 'A', 2, 0, "Editor (CTRL+A)"},
    {"SystemHotkeyInAngleBrackets", "Editor", 'A', 2, 1, "Editor <CTRL+A>"},
    {"ModifiersInTheOrderCtrlShiftAlt", "Editor", 'A', 7, 0, "Editor (CTRL+SHIFT+ALT+A)"},
    {"CtrlAltSpace", "Editor", VK_SPACE, 6, 0, "Editor (CTRL+ALT+SPACE)"},
    {"AmpersandShownAsItIs", "Tom & Jerry", 0, 0, 0, "Tom & Jerry"},
    {"EmptyButton", "", 0, 0, 0, ""},
    {"EmptyButtonWithAShortcut", "", VK_F2, 0, 0, " (F2)"},
    {"KeyWithoutANameShowsTheModifiersOnly", "Editor", 300, 1, 0, "Editor (SHIFT+)"},
};
INSTANTIATE_TEST_SUITE_P(Rows, Tooltip, ::testing::ValuesIn(kTips), RowName());

TEST_F(Pictures, TheGroupButtonsTipIsTheGroupsNameAndTheArrowsHaveNone)
{
    data_.settings.groupCount = 3;
    data_.Group(0, "Tools").Group(1, "Games & Fun");
    Open();
    EXPECT_EQ("", Tip(IDC_PREVIOUS_GROUP));
    EXPECT_EQ("", Tip(IDC_NEXT_GROUP));
    for (const char* name : {"Tools", "Games & Fun", ""}) {
        EXPECT_EQ(name, Tip(IDC_GROUP_BUTTON));
        Click(IDC_NEXT_GROUP);
    }
}

}  // namespace
