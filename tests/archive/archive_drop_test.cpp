// The drop on the group button: which drops extract, which pack under the
// confirmed name, and the refusals with their messages.
#include "archive/archive_drop.h"
#include "resources/resource_ids.h"
#include "archive/zip_extract.h"
#include "data/launcher_data.h"

#include "common/launcher_window_test.h"
#include "common/test_support.h"
#include "support/path_text.h"
#include "zip_fixture.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

// A drop handle as the shell builds it: DROPFILES and a double-NUL list of
// UTF-16 paths.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t size = sizeof(DROPFILES) + sizeof(wchar_t);
    for (const std::wstring& path : paths)
        size += (path.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(files) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(out, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        out += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::vector<std::wstring> g_opened;
void RecordOpen(HWND, const wchar_t* folder)
{
    g_opened.push_back(folder);
}

struct CtrlHeld {
    CtrlHeld() { keybd_event(VK_CONTROL, 0, 0, 0); }
    ~CtrlHeld() { keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0); }
};

// Answers successive name dialogs from another thread: records each one's
// proposal and prompt, types the answer's name (unless null) and confirms,
// or cancels.
struct NameReply {
    const wchar_t* name;
    bool confirm;
};

class NameAnswer {
public:
    NameAnswer(const wchar_t* name, bool confirm) : NameAnswer(std::vector<NameReply>{{name, confirm}}) {}
    explicit NameAnswer(std::vector<NameReply> replies) : replies_(std::move(replies))
    {
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~NameAnswer() { Join(); }
    void Join()
    {
        if (thread_) {
            WaitForSingleObject(thread_, 15000);
            CloseHandle(thread_);
            thread_ = nullptr;
        }
    }
    std::wstring proposal;              // of the first dialog
    std::vector<std::wstring> prompts;  // of every dialog answered
    bool seen = false;

private:
    static DWORD WINAPI Run(void* self)
    {
        auto* answer = static_cast<NameAnswer*>(self);
        HWND previous = nullptr;
        for (const NameReply& reply : answer->replies_) {
            HWND dialog = nullptr;
            for (int i = 0; i < 500 && !dialog; ++i) {
                dialog = IsWindow(previous) ? nullptr : FindProcessDialog("ZIP書庫の作成");
                if (!dialog)
                    Sleep(20);
            }
            if (!dialog)
                return 0;
            Sleep(100);
            wchar_t text[300];
            GetDlgItemTextW(dialog, IDC_ARCHIVE_NAME_EDIT, text, 300);
            if (!answer->seen)
                answer->proposal = text;
            GetDlgItemTextW(dialog, IDC_ARCHIVE_NAME_PROMPT, text, 300);
            answer->prompts.push_back(text);
            if (reply.name)
                SetDlgItemTextW(dialog, IDC_ARCHIVE_NAME_EDIT, reply.name);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(reply.confirm ? IDOK : IDCANCEL, BN_CLICKED), 0);
            answer->seen = true;
            previous = dialog;
        }
        return 0;
    }
    std::vector<NameReply> replies_;
    HANDLE thread_ = nullptr;
};

class ArchiveDrop : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA(Desktop().c_str(), nullptr);
        CreateDirectoryA(Source().c_str(), nullptr);
        OverrideDesktopFolder(Wide(Desktop()).c_str());
        OverrideFolderOpener(RecordOpen);
        g_opened.clear();
    }
    void TearDown() override
    {
        OverrideDesktopFolder(nullptr);
        OverrideFolderOpener(nullptr);
    }
    std::string Desktop() const { return root_.File("desk"); }
    std::string Source() const { return root_.File("src"); }
    bool Drop(const std::vector<std::string>& paths)
    {
        std::vector<std::wstring> wide;
        for (const std::string& path : paths)
            wide.push_back(Wide(path));
        return Drop(wide);
    }
    bool Drop(const std::vector<std::wstring>& paths)
    {
        HDROP drop = MakeDrop(paths);
        const bool result = HandleArchiveDrop(nullptr, drop);
        GlobalFree(drop);
        return result;
    }
    TempFolder root_;
};

TEST_F(ArchiveDrop, OneArchiveExtractsToTheDesktopAndOpens)
{
    const std::string archive = Source() + "\\pics.zip";
    WriteFileBytes(archive, BuildZip({StoredEntry("a.jpg", "jpeg"), StoredEntry("sub/b.jpg", "b")}));
    EXPECT_TRUE(Drop({archive}));
    EXPECT_EQ(Tree({L"pics\\", L"pics\\a.jpg", L"pics\\sub\\", L"pics\\sub\\b.jpg"}), ListTree(Desktop()));
    EXPECT_EQ(Tree({Wide(Desktop()) + L"\\pics"}), g_opened);
}

// What the user is told when an archive cannot be extracted whole, what is
// left on the desktop, and whether the folder opens.
struct OutcomeCase {
    const char* label;
    std::string (*archive)();
    const char* caption;  // of the message box
    const char* message;
    Tree desktop;
    bool opened;
};

class ArchiveOutcome : public ArchiveDrop, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(ArchiveOutcome, IsToldAndNeverPassesForSuccess)
{
    const OutcomeCase& c = GetParam();
    WriteFileBytes(Source() + "\\pics.zip", c.archive());
    DialogAnswerer message(c.caption, IDOK);
    EXPECT_TRUE(Drop({Source() + "\\pics.zip"}));
    message.Join();
    EXPECT_EQ(c.message, message.Text());
    EXPECT_EQ(c.desktop, ListTree(Desktop()));
    EXPECT_EQ(c.opened, !g_opened.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveOutcome,
    ::testing::Values(
        OutcomeCase{"Damaged",  // two directory records point at the same data
                    [] {
                        const RawEntry a = DeflatedEntry("a.jpg", std::string(5000, 'a'));
                        const std::string body = LocalHeader(a) + a.data;
                        const std::string central = CentralRecord(a, 0) + CentralRecord(a, 0);
                        return body + central +
                               EndRecord(2, static_cast<uint32_t>(central.size()), static_cast<uint32_t>(body.size()));
                    },
                    "=(@.@)=",
                    "「pics.zip」は壊れているみたいなのら！！\n中身はひとつも取り出さなかったろ。",
                    {},
                    false},
        OutcomeCase{"StoppedAtAnEntry",
                    [] {
                        RawEntry bad = StoredEntry("b.jpg", "damaged");
                        bad.crc ^= 1;
                        return BuildZip({StoredEntry("a.jpg", "a"), bad, StoredEntry("c.jpg", "c")});
                    },
                    "=(@.@)=",
                    "「pics.zip」の「b.jpg」が読めないか書き込めなくて、解凍をとちゅうでやめたのら！！\n"
                    "それまでに取り出したファイルは「pics」に残してあるろ。",
                    {L"pics\\", L"pics\\a.jpg"},
                    false},
        OutcomeCase{"UnsafeNamesSkipped",
                    [] {
                        return BuildZip({StoredEntry("a.jpg", "a"), StoredEntry("../evil.jpg", "e"),
                                         StoredEntry("CON", "c")});
                    },
                    "=(+.+)=",
                    "「pics.zip」のうち 2 個は、危ない名前か作れない名前だったので、取り出さなかったのら。",
                    {L"pics\\", L"pics\\a.jpg"},
                    true}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.label); });

TEST_F(ArchiveDrop, NamesOutsideCodePage932KeepTheirNames)
{
    // An archive so named extracts into a folder of its own name.
    const std::wstring archive = Wide(Source()) + L"\\caf\u00E9.zip";
    WriteFileWide(archive, BuildZip({StoredEntry("a.txt", "a")}));
    EXPECT_TRUE(Drop({archive}));
    EXPECT_EQ(Tree({L"caf\u00E9\\", L"caf\u00E9\\a.txt"}), ListTree(Desktop()));
    EXPECT_EQ(Tree({Wide(Desktop()) + L"\\caf\u00E9"}), g_opened);
    // A folder so named is proposed and packed under its own name.
    const std::wstring folder = Wide(Source()) + L"\\\uD55C\uAD6D\uC5B4";
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteFileWide(folder + L"\\\U0001F600.txt", "smile");
    NameAnswer answer(nullptr, true);
    EXPECT_TRUE(Drop({folder}));
    answer.Join();
    EXPECT_EQ(L"\uD55C\uAD6D\uC5B4", answer.proposal);
    std::vector<std::string> names;
    for (const ListedEntry& entry : ListZip(Wide(Desktop()) + L"\\\uD55C\uAD6D\uC5B4.zip"))
        names.push_back(entry.name);
    EXPECT_EQ(std::vector<std::string>({u8"\uD55C\uAD6D\uC5B4/\U0001F600.txt", u8"\uD55C\uAD6D\uC5B4/"}), names);
}

TEST_F(ArchiveDrop, ArchiveIsRecognisedByContentNotName)
{
    const std::string archive = Source() + "\\data.bin";
    WriteFileBytes(archive, BuildZip({StoredEntry("x.txt", "x")}));
    EXPECT_TRUE(Drop({archive}));
    EXPECT_EQ(Tree({L"data\\", L"data\\x.txt"}), ListTree(Desktop()));
}

TEST_F(ArchiveDrop, PlainFileWithoutCtrlIsLeftAlone)
{
    const std::string text = Source() + "\\report.txt";
    WriteFileBytes(text, "plain");
    EXPECT_FALSE(Drop({text}));
    EXPECT_TRUE(ListTree(Desktop()).empty());
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(ArchiveDrop, PlainFileWithCtrlIsPackedUnderItsBaseName)
{
    const std::string text = Source() + "\\report.txt";
    WriteFileBytes(text, "plain");
    CtrlHeld ctrl;
    NameAnswer answer(nullptr, true);
    EXPECT_TRUE(Drop({text}));
    answer.Join();
    EXPECT_EQ(L"report", answer.proposal);
    const auto entries = ListZip(Desktop() + "\\report.zip");
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ("report.txt", entries[0].name);
    EXPECT_EQ("plain", entries[0].content);
}

TEST_F(ArchiveDrop, FolderIsPackedWithItsTree)
{
    const std::string docs = Source() + "\\docs";
    CreateDirectoryA(docs.c_str(), nullptr);
    CreateDirectoryA((docs + "\\sub").c_str(), nullptr);
    WriteFileBytes(docs + "\\sub\\b.txt", "b");
    NameAnswer answer(nullptr, true);
    EXPECT_TRUE(Drop({docs}));
    answer.Join();
    EXPECT_EQ(L"docs", answer.proposal);
    std::vector<std::string> names;
    for (const ListedEntry& entry : ListZip(Desktop() + "\\docs.zip"))
        names.push_back(entry.name);
    EXPECT_EQ(std::vector<std::string>({"docs/sub/b.txt", "docs/sub/", "docs/"}), names);
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(ArchiveDrop, ThreeFilesAtTheTopLevelUnderTheTypedName)
{
    std::vector<std::string> files;
    for (const char* name : {"one.c", "two.h", "three.txt"}) {
        files.push_back(Source() + "\\" + name);
        WriteFileBytes(files.back(), name);
    }
    // An archive of that name exists already: it is replaced without a question.
    WriteFileBytes(Desktop() + "\\bundle.zip", "old contents");
    NameAnswer answer(L"bundle", true);
    EXPECT_TRUE(Drop(files));
    answer.Join();
    EXPECT_EQ(L"one", answer.proposal);
    std::vector<std::string> names;
    for (const ListedEntry& entry : ListZip(Desktop() + "\\bundle.zip"))
        names.push_back(entry.name);
    EXPECT_EQ(std::vector<std::string>({"one.c", "two.h", "three.txt"}), names);
}

TEST_F(ArchiveDrop, CancelledNameCreatesNothing)
{
    const std::string docs = Source() + "\\docs";
    CreateDirectoryA(docs.c_str(), nullptr);
    NameAnswer answer(nullptr, false);
    EXPECT_FALSE(Drop({docs}));
    answer.Join();
    EXPECT_TRUE(answer.seen);
    EXPECT_TRUE(ListTree(Desktop()).empty());
}

TEST_F(ArchiveDrop, ArchiveThatCannotBeCreatedIsReported)
{
    const std::string docs = Source() + "\\docs";
    CreateDirectoryA(docs.c_str(), nullptr);
    WriteFileBytes(docs + "\\a.txt", "a");
    NameAnswer answer(L"bad|name", true);
    DialogAnswerer error("=(@.@)=", IDOK);
    EXPECT_TRUE(Drop({docs}));
    answer.Join();
    error.Join();
    EXPECT_TRUE(error.Answered());
    EXPECT_EQ("圧縮ファイルを作成できなかったのら！！\nファイル名か、デスクトップへの書き込みを確かめてほしいろ！",
              error.Text());
    EXPECT_TRUE(ListTree(Desktop()).empty());
}

TEST_F(ArchiveDrop, UnknownDesktopIsRefusedWithAMessage)
{
    OverrideDesktopFolder(L"");
    const std::string archive = Source() + "\\pics.zip";
    WriteFileBytes(archive, BuildZip({StoredEntry("a.jpg", "jpeg")}));
    {
        DialogAnswerer error("=(@.@)=", IDOK);
        EXPECT_TRUE(Drop({archive}));
        error.Join();
        EXPECT_EQ("デスクトップの場所がわからないのら！！", error.Text());
    }
    {
        DialogAnswerer error("=(@.@)=", IDOK);
        EXPECT_TRUE(Drop({Source()}));
        error.Join();
        EXPECT_TRUE(error.Answered());
    }
    // A plain file does not need the desktop: it goes on to the icon offer.
    WriteFileBytes(Source() + "\\plain.txt", "p");
    EXPECT_FALSE(Drop({Source() + "\\plain.txt"}));
    EXPECT_EQ(Tree({L"pics.zip", L"plain.txt"}), ListTree(Source()));
    EXPECT_TRUE(ListTree(Desktop()).empty());
    EXPECT_TRUE(g_opened.empty());
}

// A name that would write over a dropped item, or into a dropped folder, is
// asked for again; the dropped items stay as they were.
struct TakenNameCase {
    const char* label;
    std::vector<std::string> items;  // on the desktop; a trailing "\\" makes a folder holding a.txt
    bool ctrl;
    const wchar_t* firstName;   // typed into the first dialog (null keeps the proposal)
    const wchar_t* secondName;  // typed into the second one; null cancels it
};

class TakenName : public ArchiveDrop, public ::testing::WithParamInterface<TakenNameCase> {};

TEST_P(TakenName, IsAskedAgainAndNothingDroppedIsTouched)
{
    const TakenNameCase& c = GetParam();
    std::vector<std::string> paths, files;
    for (const std::string& item : c.items) {
        const bool folder = item.back() == '\\';
        paths.push_back(Desktop() + "\\" + item.substr(0, item.size() - (folder ? 1 : 0)));
        if (folder)
            CreateDirectoryA(paths.back().c_str(), nullptr);
        files.push_back(folder ? paths.back() + "\\a.txt" : paths.back());
        WriteFileBytes(files.back(), "original " + item);
    }
    std::unique_ptr<CtrlHeld> ctrl(c.ctrl ? new CtrlHeld : nullptr);
    NameAnswer answer({{c.firstName, true}, {c.secondName, c.secondName != nullptr}});
    EXPECT_EQ(c.secondName != nullptr, Drop(paths));
    answer.Join();
    ctrl.reset();
    ASSERT_EQ(2u, answer.prompts.size());
    EXPECT_EQ(L"その名前だと、ドロップされたものを上書きしちゃうのら！\nほかの名前にしてほしいろ！", answer.prompts[1]);
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ("original " + c.items[i], ReadFileBytes(files[i]));
    if (c.secondName) {
        std::vector<std::string> names;
        for (const ListedEntry& entry : ListZip(Wide(Desktop()) + L"\\" + c.secondName + L".zip"))
            names.push_back(entry.name);
        EXPECT_EQ(c.items, names);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TakenName,
    ::testing::Values(TakenNameCase{"ArchiveOfTheSameName", {"report.zip", "other.txt"}, false, nullptr, L"bundle"},
                      TakenNameCase{"OneFileWithCtrl", {"x.zip"}, true, nullptr, nullptr},
                      TakenNameCase{"NameInsideADroppedFolder", {"docs\\"}, false, L"docs\\inner", nullptr}),
    [](const ::testing::TestParamInfo<TakenNameCase>& info) { return std::string(info.param.label); });

// Closing the launcher during an archive job stops the job first (the file
// it was writing is removed), then closes and saves; what would act
// meanwhile (here a group switch from the menu) is ignored.
struct CloseCase {
    const char* label;
    UINT message;
    WPARAM wParam;
};

HWND g_launcher = nullptr;
const CloseCase* g_close = nullptr;
int g_jobWrites = 0;
BOOL ClosingWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    if (++g_jobWrites == 3) {
        PostMessageA(g_launcher, WM_COMMAND, IDM_FIRST_GROUP + 1, 0);
        PostMessageA(g_launcher, g_close->message, g_close->wParam, 0);
    }
    return WriteFile(file, data, size, written, nullptr);
}

class CloseDuringJob : public LauncherWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseDuringJob, StopsTheJobThenCloses)
{
    TempFolder desktop;
    OverrideDesktopFolder(Wide(desktop.Path()).c_str());
    OverrideFolderOpener(RecordOpen);
    g_opened.clear();
    WriteFileBytes(folder_.File("pics.zip"), BuildZip({StoredEntry("a.jpg", "a"),
                                                       DeflatedEntry("big.bin", std::string(2 << 20, 'b'))}));
    g_launcher = window_;
    g_close = &GetParam();
    g_jobWrites = 0;
    OverrideEntryWriter(ClosingWriter);
    HDROP drop = MakeDrop({Wide(folder_.File("pics.zip"))});
    EXPECT_TRUE(HandleArchiveDrop(window_, drop));
    GlobalFree(drop);
    OverrideEntryWriter(nullptr);
    OverrideDesktopFolder(nullptr);
    OverrideFolderOpener(nullptr);
    EXPECT_EQ(0, CurrentGroupIndex());
    EXPECT_EQ(Tree({L"pics\\", L"pics\\a.jpg"}), ListTree(desktop.Path()));
    EXPECT_TRUE(g_opened.empty());
    EXPECT_TRUE(PumpUntil([this] { return !IsWindow(window_); }));
    EXPECT_TRUE(FileExists(folder_.File("porun.dat")));
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseDuringJob,
                         ::testing::Values(CloseCase{"CloseMessage", WM_CLOSE, 0},
                                           CloseCase{"TrayMenuGoodbye", WM_COMMAND, IDM_CLOSE},
                                           CloseCase{"SessionEnd", WM_ENDSESSION, TRUE}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.label); });

struct BaseCase {
    const wchar_t* path;
    const wchar_t* base;
};

class BaseName : public ::testing::TestWithParam<BaseCase> {};

TEST_P(BaseName, CutsTheLastExtension)
{
    wchar_t base[MAX_PATH];
    CopyNameWithoutExtension(GetParam().path, base, MAX_PATH);
    EXPECT_STREQ(GetParam().base, base);
}

INSTANTIATE_TEST_SUITE_P(Cases, BaseName,
                         ::testing::Values(BaseCase{L"D:\\dl\\report.txt", L"report"},
                                           BaseCase{L"D:\\dl\\photos", L"photos"},
                                           BaseCase{L"D:\\dl\\a.b.c", L"a.b"},
                                           BaseCase{L"D:\\dl\\.profile", L".profile"},
                                           BaseCase{L"D:\\dl\\表.txt", L"表"},
                                           BaseCase{L"D:\\dl\\\uD55C\uAD6D\uC5B4.zip", L"\uD55C\uAD6D\uC5B4"},
                                           BaseCase{L"D:\\dl.d\\name", L"name"}));

TEST(GetDesktopFolder, RealDesktopOrFalse)
{
    wchar_t small[4] = L"xyz";
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(GetDesktopFolder(path, MAX_PATH));
    EXPECT_NE(nullptr, std::wcschr(path, L'\\'));
    EXPECT_FALSE(GetDesktopFolder(small, 4));
    EXPECT_STREQ(L"xyz", small);
    EXPECT_FALSE(GetDesktopFolder(nullptr, 10));
}

}  // namespace
