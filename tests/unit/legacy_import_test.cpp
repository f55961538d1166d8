// Taking over the older generation's "porun.ini" when there is no data file.
#include "common/test_support.h"
#include "data/launcher_data.h"
#include "support/program_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class LegacyImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OverrideProgramPath(folder_.File("porun.exe").c_str());
        ini_ = folder_.File("porun.ini");
        ASSERT_TRUE(AllocateLauncherData());
    }
    void TearDown() override
    {
        FreeLauncherData();
        OverrideProgramPath(nullptr);
    }
    void WriteIni(const std::string& text) { ASSERT_TRUE(WriteFileBytes(ini_, text)); }
    static bool ButtonIsEmpty(int group, int index)
    {
        const ButtonRecord* button = ButtonAt(group, index);
        return button && !button->file[0] && !button->title[0] && !button->workDir[0] &&
               !button->params[0] && !button->iconFile[0] && button->iconIndex == 0;
    }

    TempFolder folder_;
    std::string ini_;
};

TEST_F(LegacyImportTest, OnlyButtonFiveFillsItAndTheSettingsTakeTheDefaults)
{
    WriteIni("[BUTTON 5]\r\nFILE=C:\\Tools\\editor.exe\r\nNAME=editor\r\n");
    ASSERT_TRUE(LoadLauncherData(nullptr));
    const ButtonRecord* button = ButtonAt(0, 5);
    ASSERT_NE(nullptr, button);
    EXPECT_STREQ("C:\\Tools\\editor.exe", button->file);
    EXPECT_STREQ("editor", button->title);
    EXPECT_STREQ("", button->iconFile);  // the icon comes from the file
    EXPECT_EQ(0, button->iconIndex);
    for (int g = 0; g < kGroupCount; ++g) {
        for (int b = 0; b < kButtonsPerGroup; ++b) {
            if (g != 0 || b != 5) {
                EXPECT_TRUE(ButtonIsEmpty(g, b)) << g << "," << b;
            }
        }
    }
    const AppSettings settings = GetSettings();
    EXPECT_EQ(1, settings.collapseOnLaunch);
    EXPECT_EQ(1, settings.alwaysOnTop);
    EXPECT_EQ(3, settings.groupCount);
    EXPECT_EQ(30, settings.windowX);
    EXPECT_EQ(30, settings.windowY);
    EXPECT_EQ(0, settings.startWithLastGroup);
}

TEST_F(LegacyImportTest, SectionNumbersArePaddedWithABlank)
{
    WriteIni("[BUTTON15]\r\nFILE=C:\\a.exe\r\nDIR=C:\\work\r\nPARAM=-x 1\r\nICON=2\r\n"
             "[BUTTON05]\r\nFILE=C:\\zero-padded.exe\r\n"
             "[GROUP 3]\r\nNAME=games\r\nFILE=C:\\icons.dll\r\nICON=4\r\n"
             "[GROUP03]\r\nNAME=wrong\r\n");
    ASSERT_TRUE(LoadLauncherData(nullptr));
    const ButtonRecord* button = ButtonAt(1, 5);
    EXPECT_STREQ("C:\\a.exe", button->file);
    EXPECT_STREQ("C:\\work", button->workDir);
    EXPECT_STREQ("-x 1", button->params);
    EXPECT_EQ(2, button->iconIndex);
    EXPECT_TRUE(ButtonIsEmpty(0, 5));
    const GroupRecord& group = LauncherImage()->groups[3].group;
    EXPECT_STREQ("games", group.name);
    EXPECT_STREQ("C:\\icons.dll", group.iconFile);
    EXPECT_EQ(4, group.iconIndex);
}

TEST_F(LegacyImportTest, AllSettingsAreRead)
{
    WriteIni("[SETTING]\r\nWINCHANGE=0\r\nWINTOP=0\r\nGROUPMAX=7\r\n[Windows]\r\nWINX=-5\r\nWINY=640\r\n");
    ASSERT_TRUE(LoadLauncherData(nullptr));
    const AppSettings settings = GetSettings();
    EXPECT_EQ(0, settings.collapseOnLaunch);
    EXPECT_EQ(0, settings.alwaysOnTop);
    EXPECT_EQ(7, settings.groupCount);
    EXPECT_EQ(-5, settings.windowX);
    EXPECT_EQ(640, settings.windowY);
}

struct GroupMaxCase {
    const char* value;
    int expected;
};

class GroupMaxTest : public LegacyImportTest, public ::testing::WithParamInterface<GroupMaxCase> {};

TEST_P(GroupMaxTest, IsBroughtIntoOneToTen)
{
    WriteIni(std::string("[SETTING]\r\nGROUPMAX=") + GetParam().value + "\r\n");
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_EQ(GetParam().expected, GetSettings().groupCount);
}

INSTANTIATE_TEST_SUITE_P(Values, GroupMaxTest,
                         ::testing::Values(GroupMaxCase{"0", 1}, GroupMaxCase{"-3", 1}, GroupMaxCase{"1", 1},
                                           GroupMaxCase{"10", 10}, GroupMaxCase{"11", 10},
                                           GroupMaxCase{"4000000000", 1}, GroupMaxCase{"x", 1}));

TEST_F(LegacyImportTest, TooLongTextsAreCutInsideTheirFields)
{
    const std::string longName(600, 'n');
    WriteIni("[BUTTON 0]\r\nNAME=" + longName + "\r\nFILE=C:\\f.exe\r\n");
    ASSERT_TRUE(LoadLauncherData(nullptr));
    const ButtonRecord* button = ButtonAt(0, 0);
    EXPECT_EQ(std::string(kTextFieldSize - 1, 'n'), std::string(button->title));
    EXPECT_STREQ("C:\\f.exe", button->file);
}

TEST_F(LegacyImportTest, WithoutAnyFileTheFirstStartDefaultsApply)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 210, 170, 40, 40, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    AppSettings settings = GetSettings();
    settings.alwaysOnTop = 1;
    settings.groupCount = 9;
    SetSettings(settings);
    EXPECT_TRUE(LoadLauncherData(window));
    DestroyWindow(window);
    settings = GetSettings();
    EXPECT_EQ(1, settings.collapseOnLaunch);
    EXPECT_EQ(0, settings.alwaysOnTop);
    EXPECT_EQ(3, settings.groupCount);
    EXPECT_EQ(0, settings.startWithLastGroup);
    EXPECT_EQ(210, settings.windowX);  // where the system put the window
    EXPECT_EQ(170, settings.windowY);
}

TEST_F(LegacyImportTest, ASecondStartReadsTheDataFileAndIgnoresTheIni)
{
    WriteIni("[BUTTON 5]\r\nFILE=C:\\first.exe\r\nNAME=first\r\n");
    ASSERT_TRUE(LoadLauncherData(nullptr));
    ASSERT_TRUE(SaveLauncherData(nullptr));
    EXPECT_EQ(static_cast<long long>(kDataFileSize), FileSize(folder_.File("porun.dat")));
    FreeLauncherData();

    WriteIni("[BUTTON 5]\r\nFILE=C:\\second.exe\r\nNAME=second\r\n[BUTTON 6]\r\nFILE=C:\\new.exe\r\n"
             "[SETTING]\r\nWINTOP=0\r\n");
    ASSERT_TRUE(AllocateLauncherData());
    ASSERT_TRUE(LoadLauncherData(nullptr));
    EXPECT_STREQ("C:\\first.exe", ButtonAt(0, 5)->file);
    EXPECT_STREQ("first", ButtonAt(0, 5)->title);
    EXPECT_TRUE(ButtonIsEmpty(0, 6));
    EXPECT_EQ(1, GetSettings().alwaysOnTop);
}

}  // namespace
