// Generations: the files before a change are kept, restored (and the restore undone), offered for a damaged start.
#include "window_test.h"

#include "data/generations.h"
#include "data/launcher_data.h"
#include "shortcuts/saved_changes.h"

#include <commctrl.h>

namespace {

using namespace window_test;

constexpr wchar_t kRestoreDialog[] = L"おもいでから戻す";

class Generations : public Window {
protected:
    std::wstring Kept() const { return folder_.File(kGenerationsFolderName); }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((Kept() + L"\\2*").c_str(), &found);
        for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
            names.push_back(found.cFileName);
        FindClose(find);
        return names;
    }
    void Retitle(const wchar_t* title)  // a change saved as the dialogs save it
    {
        lstrcpynW(ButtonAt(0, 0)->title, title, kFieldSize);
        ASSERT_TRUE(SaveChanges(window_));
    }
    void RestoreNewest()  // from the tray menu's command, the newest row (selected first) restored, answered Yes
    {
        DialogWaiter dialog(kRestoreDialog, IDC_RESTORE_RUN, [](HWND restore) {
            if (ListView_GetItemCount(GetDlgItem(restore, IDC_RESTORE_LIST)) == 0)
                Press(restore, IDC_RESTORE_CLOSE);  // nothing kept: closed, so the test fails instead of waiting
        });
        DialogWaiter question(kQuestion, IDYES);
        Command(IDM_RESTORE_GENERATION);
        ASSERT_TRUE(dialog.Seen());
        ASSERT_TRUE(question.Seen());
    }
    void DamagedWithGeneration()  // porun.dat broken, one generation holding data_
    {
        const std::string good = data_.Bytes();
        beforeStart_ = [this, good] {
            WriteBytes(folder_.Folder(L"ポルンのおもいで\\20261201-100000-000") + L"\\porun.dat", good);
            WriteBytes(folder_.File(L"porun.dat"), "broken");
        };
    }
};

TEST_F(Generations, ASaveKeepsTheFilesBeforeItAndAnUnchangedSaveKeepsNone)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    Open();
    Retitle(L"B");
    ASSERT_EQ(Names().size(), 1u);
    EXPECT_EQ(ReadBytes(Kept() + L"\\" + Names()[0] + L"\\porun.dat"), data_.Bytes());
    ASSERT_TRUE(SaveChanges(window_));
    EXPECT_EQ(Names().size(), 1u);
}

TEST_F(Generations, AKeepThatCannotBeWrittenStillSaves)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    beforeStart_ = [this] { WriteBytes(Kept(), "a file where the folder would be"); };
    Open();
    Retitle(L"B");
    EXPECT_EQ(Saved().value_or(DataImage()).Title(0, 0), L"B");
}

TEST_F(Generations, ARestoreShowsTheKeptButtonsWithTheirHotkeysAndIsUndoneByRestoringAgain)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    shortcuts_ = ShortcutLines(0, 0, 'S', 2, 1) + ActiveLines(0, 0);
    Open();
    Retitle(L"B");
    RestoreNewest();
    EXPECT_EQ(Tip(B(0)).substr(0, 2), L"A ");
    EXPECT_EQ(Saved().value_or(DataImage()).Title(0, 0), L"A");
    EXPECT_TRUE(HotkeyTaken(MOD_CONTROL, 'S'));
    RestoreNewest();
    EXPECT_EQ(Tip(B(0)).substr(0, 2), L"B ");
    EXPECT_EQ(Saved().value_or(DataImage()).Title(0, 0), L"B");
}

TEST_F(Generations, ADamagedDataFileAtStartTakesTheNewestGoodGenerationOnYes)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    DamagedWithGeneration();
    DialogWaiter question(kQuestion, IDYES);
    Open();
    ASSERT_TRUE(question.Seen());
    EXPECT_EQ(Tip(B(0)), L"A");
    EXPECT_EQ(ReadBytes(folder_.File(L"porun.dat.bad")), "broken");
}

TEST_F(Generations, ADamagedDataFileAtStartAnsweredNoGivesAnEmptyBarAndKeepsItAside)
{
    data_.Button(0, 0, L"A", L"C:\\a.exe");
    DamagedWithGeneration();
    DialogWaiter question(kQuestion, IDNO);
    DialogWaiter failed(kError, IDOK);
    Open();
    ASSERT_TRUE(question.Seen());
    ASSERT_TRUE(failed.Seen());
    EXPECT_EQ(Tip(B(0)), L"");
    Close();
    EXPECT_EQ(ReadBytes(folder_.File(L"porun.dat.bad")), "broken");
}

}  // namespace
