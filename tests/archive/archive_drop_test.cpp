// The drop on the group button: which drops extract, which pack under the
// confirmed name, and the refusals with their messages.
#include "archive/archive_drop.h"
#include "archive/archive_ids.h"

#include "common/test_support.h"
#include "zip_fixture.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A drop handle as the shell builds it: DROPFILES and a double-NUL list.
HDROP MakeDrop(const std::vector<std::string>& paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    char* out = reinterpret_cast<char*>(files) + sizeof(DROPFILES);
    for (const std::string& path : paths) {
        std::memcpy(out, path.c_str(), path.size() + 1);
        out += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::vector<std::string> g_opened;
void RecordOpen(HWND, const char* folder)
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
    const char* name;
    bool confirm;
};

class NameAnswer {
public:
    NameAnswer(const char* name, bool confirm) : NameAnswer(std::vector<NameReply>{{name, confirm}}) {}
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
    std::string proposal;              // of the first dialog
    std::vector<std::string> prompts;  // of every dialog answered
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
            char text[300];
            GetDlgItemTextA(dialog, IDC_ARCHIVE_NAME_EDIT, text, sizeof text);
            if (!answer->seen)
                answer->proposal = text;
            GetDlgItemTextA(dialog, IDC_ARCHIVE_NAME_PROMPT, text, sizeof text);
            answer->prompts.push_back(text);
            if (reply.name)
                SetDlgItemTextA(dialog, IDC_ARCHIVE_NAME_EDIT, reply.name);
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
        OverrideDesktopFolder(Desktop().c_str());
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
    EXPECT_EQ(std::vector<std::string>({"pics\\", "pics\\a.jpg", "pics\\sub\\", "pics\\sub\\b.jpg"}),
              ListTree(Desktop()));
    EXPECT_EQ(std::vector<std::string>({Desktop() + "\\pics"}), g_opened);
}

// What the user is told when an archive cannot be extracted whole, what is
// left on the desktop, and whether the folder opens.
struct OutcomeCase {
    const char* label;
    std::string (*archive)();
    const char* caption;  // of the message box
    const char* message;
    std::vector<std::string> desktop;
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
                    {"pics\\", "pics\\a.jpg"},
                    false},
        OutcomeCase{"UnsafeNamesSkipped",
                    [] {
                        return BuildZip({StoredEntry("a.jpg", "a"), StoredEntry("../evil.jpg", "e"),
                                         StoredEntry("CON", "c")});
                    },
                    "=(+.+)=",
                    "「pics.zip」のうち 2 個は、危ない名前か作れない名前だったので、取り出さなかったのら。",
                    {"pics\\", "pics\\a.jpg"},
                    true}),
    [](const ::testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.label); });

TEST_F(ArchiveDrop, ArchiveIsRecognisedByContentNotName)
{
    const std::string archive = Source() + "\\data.bin";
    WriteFileBytes(archive, BuildZip({StoredEntry("x.txt", "x")}));
    EXPECT_TRUE(Drop({archive}));
    EXPECT_EQ(std::vector<std::string>({"data\\", "data\\x.txt"}), ListTree(Desktop()));
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
    EXPECT_EQ("report", answer.proposal);
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
    EXPECT_EQ("docs", answer.proposal);
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
    NameAnswer answer("bundle", true);
    EXPECT_TRUE(Drop(files));
    answer.Join();
    EXPECT_EQ("one", answer.proposal);
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
    NameAnswer answer("bad|name", true);
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
    OverrideDesktopFolder("");
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
    std::vector<std::string> expected{"pics.zip", "plain.txt"};
    EXPECT_EQ(expected, ListTree(Source()));
    EXPECT_TRUE(ListTree(Desktop()).empty());
    EXPECT_TRUE(g_opened.empty());
}

// A name that would write over a dropped item, or into a dropped folder, is
// asked for again; the dropped items stay as they were.
struct TakenNameCase {
    const char* label;
    std::vector<std::string> items;  // on the desktop; a trailing "\\" makes a folder holding a.txt
    bool ctrl;
    const char* firstName;   // typed into the first dialog (null keeps the proposal)
    const char* secondName;  // typed into the second one; null cancels it
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
    EXPECT_EQ("その名前だと、ドロップされたものを上書きしちゃうのら！\nほかの名前にしてほしいろ！", answer.prompts[1]);
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ("original " + c.items[i], ReadFileBytes(files[i]));
    if (c.secondName) {
        std::vector<std::string> names;
        for (const ListedEntry& entry : ListZip(Desktop() + "\\" + c.secondName + ".zip"))
            names.push_back(entry.name);
        EXPECT_EQ(c.items, names);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TakenName,
    ::testing::Values(TakenNameCase{"ArchiveOfTheSameName", {"report.zip", "other.txt"}, false, nullptr, "bundle"},
                      TakenNameCase{"OneFileWithCtrl", {"x.zip"}, true, nullptr, nullptr},
                      TakenNameCase{"NameInsideADroppedFolder", {"docs\\"}, false, "docs\\inner", nullptr}),
    [](const ::testing::TestParamInfo<TakenNameCase>& info) { return std::string(info.param.label); });

struct BaseCase {
    const char* path;
    const char* base;
};

class BaseName : public ::testing::TestWithParam<BaseCase> {};

TEST_P(BaseName, CutsTheLastExtension)
{
    char base[260];
    FormArchiveBaseName(GetParam().path, base, sizeof base);
    EXPECT_STREQ(GetParam().base, base);
}

INSTANTIATE_TEST_SUITE_P(Cases, BaseName,
                         ::testing::Values(BaseCase{"D:\\dl\\report.txt", "report"},
                                           BaseCase{"D:\\dl\\photos", "photos"},
                                           BaseCase{"D:\\dl\\a.b.c", "a.b"},
                                           BaseCase{"D:\\dl\\.profile", ".profile"},
                                           BaseCase{"D:\\dl\\表.txt", "表"},
                                           BaseCase{"D:\\dl.d\\name", "name"}));

TEST(GetDesktopFolder, RealDesktopOrFalse)
{
    char small[4];
    char path[MAX_PATH];
    ASSERT_TRUE(GetDesktopFolder(path, sizeof path));
    EXPECT_NE(nullptr, std::strchr(path, '\\'));
    std::strcpy(small, "xyz");
    EXPECT_FALSE(GetDesktopFolder(small, sizeof small));
    EXPECT_STREQ("xyz", small);
    EXPECT_FALSE(GetDesktopFolder(nullptr, 10));
}

}  // namespace
