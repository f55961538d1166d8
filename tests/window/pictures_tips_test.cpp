// The pictures the bar and the settings dialogs show, and the bar's tips.
#include "window/window_test.h"

using namespace window_test;

namespace {

struct PictureRow {
    const char* name;
    bool group;            // the group's icon, else button 1's
    const char* file;      // "program", "document", "folder", "missing" or ""
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
        return word == "missing" ? folder_.File("missing.exe") : "";
    }
};

// The bar and the settings dialog's preview show the same picture: what is previewed is what the button gets.
TEST_P(ButtonPicture, ShowsTheIconItsRecordNamesAlsoInTheSettings)
{
    ASSERT_TRUE(WriteBytes(folder_.File("notes.txt"), "hello"));
    const std::string file = Place(row().file), iconFile = Place(row().iconFile);
    row().group ? void(data_.Group(0, "", iconFile, row().index))
                : void(data_.Button(0, 0, "x", file, "", "", iconFile, row().index));
    Open();
    const int control = row().group ? IDC_GROUP_BUTTON : B(0);
    EXPECT_EQ(Resource(row().expected), Shows(control));
    Picture preview;
    DialogWaiter dialog(row().group ? kGroupDialog : kButtonDialog, row().group ? IDC_GROUP_CANCEL : IDCANCEL,
                        [&](HWND d) {
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
    {"GroupIconNine", true, "", "program", 9, IDI_GROUP_9},
    {"GroupIconFileMissing", true, "", "missing", 1, IDI_NOT_FOUND},
};
INSTANTIATE_TEST_SUITE_P(Rows, ButtonPicture, ::testing::ValuesIn(kPictures), RowName());

class Pictures : public Window {};

// The default group icons are this program's icons 1 to 10, all different; they are recorded for shown groups.
TEST_F(Pictures, AStartedBarShowsArrowsEmptyButtonsAndTheDefaultGroupIconsOfThisProgram)
{
    data_.settings.groupCount = 10;
    Open();
    EXPECT_EQ(Resource(IDI_PREVIOUS_GROUP), Shows(IDC_PREVIOUS_GROUP));
    EXPECT_EQ(Resource(IDI_NEXT_GROUP), Shows(IDC_NEXT_GROUP));
    EXPECT_EQ(Resource(IDI_EMPTY_BUTTON), Shows(B(9)));
    for (int g = 0; g < 10; ++g) {
        EXPECT_EQ(GroupPicture(g), Picture::OfFileIcon(program_, g + 1)) << g;
        for (int other = 0; other < g; ++other)
            EXPECT_NE(GroupPicture(g), GroupPicture(other)) << g;
    }
    Command(IDM_FIRST_GROUP + 4);
    EXPECT_EQ(GroupPicture(4), Shows(IDC_GROUP_BUTTON));
    Close();
    for (int g = 0; g < 10; ++g) {
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

// Plain shortcuts show in round brackets, system hotkeys in angle brackets (the drag, capture and list tests
// read those); here the rest: modifiers in their order, texts as they are, a key without a name, groups, arrows.
TEST_F(Pictures, TipsNameTheButtonAndItsShortcutTheGroupAndNothingOnTheArrows)
{
    data_.settings.groupCount = 3;
    data_.Group(0, "Tools").Group(1, "Games & Fun");
    data_.Button(0, 0, "Editor", "C:\\x.exe").Button(0, 1, "Tom & Jerry", "C:\\x.exe").Button(0, 3, "E", "C:\\x.exe");
    shortcuts_ = ShortcutLines(0, 0, 'A', 7, 0) + ShortcutLines(0, 2, VK_F2, 0, 0) +
                 ShortcutLines(0, 3, 300, 1, 0) + ShortcutLines(0, 4, VK_SPACE, 6, 0) + ActiveLines(0, 0);
    Open();
    const char* tips[] = {"Editor (CTRL+SHIFT+ALT+A)", "Tom & Jerry", " (F2)", "E (SHIFT+)", " (CTRL+ALT+SPACE)", ""};
    for (int b = 0; b < 6; ++b)
        EXPECT_EQ(tips[b], Tip(B(b))) << b;
    EXPECT_EQ("", Tip(IDC_PREVIOUS_GROUP));
    EXPECT_EQ("", Tip(IDC_NEXT_GROUP));
    for (const char* name : {"Tools", "Games & Fun", ""}) {
        EXPECT_EQ(name, Tip(IDC_GROUP_BUTTON));
        Click(IDC_NEXT_GROUP);
    }
}

}  // namespace
