// The drop on the group button: what extracts or packs onto the desktop, what the user is told, the progress window.
#include "archive/listed_name.h"
#include "support/launcher.h"
#include "support/zip.h"

#include "app/archive_jobs.h"
#include "archive/archive_drop.h"
#include "archive/zip_extract.h"
#include "archive/zip_packer.h"
#include "data/launcher_data.h"
#include "resources/resource_ids.h"
#include "support/progress_window.h"

#include <commctrl.h>

#include <climits>
#include <memory>
#include <utility>

using namespace support;

namespace {

// A window's drop, its job waited for until it has ended or the window has gone.
bool DropOnWindow(HWND window, HDROP drop)
{
    const bool handled = StartArchiveDrop(window, drop);
    EXPECT_TRUE(WaitUntil([window] { return !IsWindow(window) || !ArchiveJobOf(window); }));
    return handled;
}

// The window's job has been stopped (null job: none to stop, the window gone without stopping it).
bool JobStopping(HWND window)
{
    const ArchiveJob* job = ArchiveJobOf(window);
    return job && job->Stopping();
}

// A drop without a window: its steps in turn, each work's end waited for.
bool DropAlone(HDROP drop)
{
    ArchiveJob job(nullptr, 0, ReadArchiveDrop(drop));
    ArchiveStep step = BeginArchiveDrop(job);
    while (step == ArchiveStep::kWorking) {
        EXPECT_TRUE(WaitUntil([&job] { return job.Ended(); }));
        step = FinishArchiveDrop(job);
    }
    return step != ArchiveStep::kNotForArchives;
}

// A drop as the shell hands it over, with UTF-16 names; handled at once, waited for and freed.
bool ShellDrop(HWND owner, const std::vector<std::wstring>& paths)
{
    const std::string block = DropBlock(paths);
    HGLOBAL drop = GlobalAlloc(GMEM_FIXED, block.size());
    memcpy(drop, block.data(), block.size());
    const bool handled = owner ? DropOnWindow(owner, static_cast<HDROP>(drop)) : DropAlone(static_cast<HDROP>(drop));
    GlobalFree(drop);
    return handled;
}

std::wstring g_opened;  // the folders shown
void RecordOpen(HWND, const wchar_t* folder) { g_opened += folder; }

// The desktop's items; an archive with its entries.
std::wstring Describe(const std::wstring& desktop)
{
    std::wstring out;
    for (const std::wstring& item : ListTree(desktop)) {
        out += (out.empty() ? L"" : L" ") + item;
        const std::vector<ListedEntry> entries = ListZip(desktop + L"\\" + item);  // none unless an archive
        for (size_t i = 0; i < entries.size(); ++i)
            out += (i ? L"," : L"[") + NameOf(entries[i]) + (i + 1 == entries.size() ? L"]" : L"");
    }
    return out;
}

const wchar_t kCancel[] = L"", kEscape[] = L"\x1B", kCloseBox[] = L"\x7F";

// Types each reply over the proposal (null keeps it), confirms or cancels; the proposals, "!" unfocused, "?" reworded.
std::wstring AnswerNames(const std::vector<const wchar_t*>& replies)
{
    std::wstring seen, first;
    HWND previous = nullptr;
    for (const wchar_t* reply : replies) {
        HWND dialog = WaitForDialog(L"ZIP書庫の作成", GetCurrentProcessId(), 15000, previous);
        if (!dialog)
            return seen;
        HWND edit = GetDlgItem(dialog, IDC_ARCHIVE_NAME_EDIT);
        wchar_t text[300], prompt[300];
        GetWindowTextW(edit, text, 300);
        GetDlgItemTextW(dialog, IDC_ARCHIVE_NAME_PROMPT, prompt, 300);
        first = previous ? first : prompt;
        GUITHREADINFO thread{sizeof thread, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
        const bool focused = thread.hwndFocus == edit;
        seen += (previous ? L"|" : L"") + std::wstring(text) + (focused ? L"" : L"!") + (first == prompt ? L"" : L"?");
        for (const wchar_t* key = reply; reply != kEscape && reply != kCloseBox && key && *key; ++key)
            SendMessageW(edit, WM_CHAR, *key, 0);
        reply == kEscape     ? void(PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0))
        : reply == kCloseBox ? void(PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0))
                             : Press(dialog, reply == kCancel ? IDCANCEL : IDOK);
        previous = dialog;
    }
    return seen;
}

const std::string kPics = BuildZip({StoredEntry("a.jpg", "jpeg")});

std::string Unreadable()
{
    RawEntry bad = StoredEntry("b.jpg", "damaged");
    bad.crc ^= 1;
    return BuildZip({StoredEntry("a.jpg", "a"), bad, StoredEntry("c.jpg", "c")});
}

struct DropCase {
    const char* name;
    // Dropped; '\' last: a folder holding a.txt; ".zip", ".bin": the archive; '>' on the desktop, '=' too, not dropped
    std::vector<std::wstring> items;
    std::vector<const wchar_t*> replies;  // to the name dialogs in turn
    std::wstring proposals;
    std::wstring caption, message;  // of the box that tells the outcome: its caption, what its text says
    std::wstring desktop;          // afterwards
    bool handled = true, opened = false, ctrl = false;
    std::string archive = kPics;
    const wchar_t* desktopFolder = nullptr;  // L"": unknown
    int answer = IDOK;                       // pressed in the box
    const FolderLister* lister = nullptr;    // how folders list
};

// Folders that cannot be listed at all, or whose listing breaks off at its end after naming a file gone since.
HANDLE DeniedFirst(const wchar_t*, WIN32_FIND_DATAW*)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}
bool g_goneListed = false;
HANDLE ListedFirst(const wchar_t* pattern, WIN32_FIND_DATAW* found)
{
    g_goneListed = false;
    return FindFirstFileW(pattern, found);
}
BOOL GoneThenBrokenOff(HANDLE search, WIN32_FIND_DATAW* found)
{
    if (FindNextFileW(search, found))
        return TRUE;
    SetLastError(ERROR_UNEXP_NET_ERR);
    if (std::exchange(g_goneListed, true))
        return FALSE;
    *found = WIN32_FIND_DATAW{.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE, .nFileSizeLow = 5, .cFileName = L"gone.txt"};
    return TRUE;
}
constexpr FolderLister kDenied{DeniedFirst, FindNextFileW};
constexpr FolderLister kBrokenOff{ListedFirst, GoneThenBrokenOff};

class DropOnTheGroupButton : public ::testing::TestWithParam<DropCase> {};

TEST_P(DropOnTheGroupButton, ExtractsOrPacksOntoTheDesktop)
{
    const DropCase& c = GetParam();
    TempFolder root;
    const std::wstring desktop = root.Folder(L"desk"), source = root.Folder(L"src");
    const SeamGuard desktopFolder = OverrideDesktopFolder(c.desktopFolder ? c.desktopFolder : desktop.c_str());
    const SeamGuard opener = OverrideFolderOpener(RecordOpen);
    const SeamGuard lister = OverrideFolderLister(c.lister);
    g_opened.clear();
    std::vector<std::wstring> dropped;
    for (const std::wstring& item : c.items) {
        const bool onDesktop = item[0] == L'>' || item[0] == L'=';
        const std::wstring path = (onDesktop ? desktop : source) + L"\\" + item.substr(onDesktop);
        const bool folder = path.back() == L'\\';
        CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
        const bool archive = path.find(L".zip") != std::wstring::npos || path.find(L".bin") != std::wstring::npos;
        ASSERT_TRUE(WriteBytes(folder ? path + L"a.txt" : path, onDesktop ? "desktop" : archive ? c.archive : "plain"));
        if (item[0] != L'=')
            dropped.push_back(folder ? path.substr(0, path.size() - 1) : path);
    }
    const std::wstring before = Describe(desktop);
    std::wstring seen;
    std::thread names([&] { seen = AnswerNames(c.replies); });
    DialogWaiter box(c.caption.empty() ? L"no box" : c.caption, c.answer, {}, GetCurrentProcessId(), nullptr,
                     c.caption.empty() ? 0 : 15000);
    std::unique_ptr<HeldKeys> ctrl(c.ctrl ? new HeldKeys({VK_CONTROL}) : nullptr);
    EXPECT_EQ(c.handled, ShellDrop(nullptr, dropped));
    names.join();
    EXPECT_EQ(c.proposals, seen);
    EXPECT_NE(std::string::npos, box.Message().find(c.message)) << box.Message();
    EXPECT_EQ(c.desktop.empty() ? before : c.desktop, Describe(desktop));
    EXPECT_EQ(c.opened ? desktop + L"\\" + c.desktop.substr(0, c.desktop.find(L'\\')) : L"", g_opened);
}

// a folder named in the program's own words
const wchar_t kFallback[] = L"ポルンの書庫\\ ポルンの書庫\\a.jpg";
const std::wstring kBesidePics = L"pics (2)\\ pics (2)\\a.jpg pics\\ pics\\a.jpg";
const std::wstring kSixty(60, L'x');

INSTANTIATE_TEST_SUITE_P(Drops, DropOnTheGroupButton, ::testing::ValuesIn(std::vector<DropCase>{
    {"ArchiveExtractedAndOpened", {L"pics.zip"}, {}, L"", L"", L"", L"pics\\ pics\\a.jpg", true, true},
    {"ArchiveKnownByItsContents", {L"data.bin"}, {}, L"", L"", L"", L"data\\ data\\a.jpg", true, true},
    {"ArchiveNameOutsideCodePage932", {L"caf\u00E9.zip"}, {}, L"", L"", L"", L"caf\u00E9\\ caf\u00E9\\a.jpg", true,
     true},
    {"CutShortArchive", {L"pics.zip"}, {}, L"", kError, L"「pics.zip」は壊れている", L"", true, false, false,
     kPics.substr(0, 40)},
    {"StoppedAtAnEntry", {L"pics.zip"}, {}, L"", kError,
     L"「pics.zip」の「b.jpg」が読めないか書き込めなくて、"
     L"解凍をとちゅうでやめたのら！！\n"
     L"それまでに取り出したファイルは「pics」に残してあるろ。",
     L"pics\\ pics\\a.jpg", true, false, false, Unreadable()},
    {"UnsafeNamesSkipped", {L"pics.zip"}, {}, L"", kNotice, L"「pics.zip」のうち 2 個", L"pics\\ pics\\a.jpg",
     true,
     true, false, BuildZip({StoredEntry("a.jpg", "a"), StoredEntry("../evil.jpg", "e"), StoredEntry("CON", "c")})},
    {"PlainFileGoesOnToTheIconOffer", {L"report.txt"}, {}, L"", L"", L"", L"", false},
    {"PlainFileWithCtrl", {L"report.txt"}, {nullptr}, L"report", L"", L"", L"report.zip[report.txt]", true, false,
     true},
    {"FolderOutsideCodePage932", {L"\uD55C\uAD6D\uC5B4\\"}, {nullptr}, L"\uD55C\uAD6D\uC5B4", L"", L"",
     L"\uD55C\uAD6D\uC5B4.zip[\uD55C\uAD6D\uC5B4/a.txt,\uD55C\uAD6D\uC5B4/]"},
    {.name = "TypedNameReplacesAnArchive", .items = {L"one.c", L"two.h", L"=bundle.zip"}, .replies = {L"bundle"},
     .proposals = L"one", .caption = kQuestion, .message = L"「bundle.zip」がある",
     .desktop = L"bundle.zip[one.c,two.h]",
     .answer = IDYES},
    {.name = "ArchiveKeptAsksTheNameAgain", .items = {L"one.c", L"two.h", L"=bundle.zip"},
     .replies = {L"bundle", L"other"}, .proposals = L"one|bundle", .caption = kQuestion,
     .message = L"「bundle.zip」がある",
     .desktop = L"bundle.zip other.zip[one.c,two.h]", .answer = IDNO},
    {"ProposalOfADottedName", {L"a.b.c"}, {kCancel}, L"a.b", L"", L"", L"", false, false, true},
    {"ProposalOfADotFile", {L".profile"}, {kCancel}, L".profile", L"", L"", L"", false, false, true},
    {"ProposalInADottedFolder", {L"dl.d\\name"}, {kCancel}, L"name", L"", L"", L"", false, false, true},
    {"NameCancelled", {L"docs\\"}, {kCancel}, L"docs", L"", L"", L"", false},
    {"NameEscaped", {L"docs\\"}, {kEscape}, L"docs", L"", L"", L"", false},
    {"NameDialogClosed", {L"docs\\"}, {kCloseBox}, L"docs", L"", L"", L"", false},
    {"TypingStopsAtFifty", {L"docs\\"}, {kSixty.c_str()}, L"docs", L"", L"",
     std::wstring(50, L'x') + L".zip[docs/a.txt,docs/]"},
    {"LongProposalShownWhole", {std::wstring(60, L'p') + L".txt"}, {kCancel}, std::wstring(60, L'p'), L"", L"", L"",
     false, false, true},
    // a typed name that is no single file name on the desktop is asked for again
    {.name = "NamesThatNameNoFileAreAskedAgain", .items = {L"docs\\"},
     .replies = {L"bad|name", L"..\\up", L"CON", kCancel}, .proposals = L"docs|bad|name?|..\\up?|CON?",
     .handled = false},
    {"UnknownDesktopArchive", {L"pics.zip"}, {}, L"", kError, L"デスクトップの場所", L"", true, false, false,
     kPics, L""},
    {"UnknownDesktopFolder", {L"docs\\"}, {}, L"", kError, L"デスクトップの場所", L"", true, false, false,
     kPics, L""},
    // a name that would write over a dropped item is asked for again; the dropped items stay
    {"TakenByADroppedArchive", {L">report.zip", L">other.txt"}, {nullptr, L"bundle"}, L"report|report?", L"", L"",
     L"bundle.zip[report.zip,other.txt] other.txt report.zip"},
    {"TakenByTheOneFile", {L">x.zip"}, {nullptr, kCancel}, L"x|x?", L"", L"", L"", false, false, true},
    {"InsideADroppedFolder", {L">docs\\"}, {L"docs\\inner", kCancel}, L"docs|docs\\inner?", L"", L"", L"", false},
    // the folder is always a new one directly below the desktop
    {.name = "ArchiveNamedOfDots", .items = {L"...zip"}, .desktop = kFallback, .opened = true},
    {.name = "ArchiveNamedOfOneDot", .items = {L"..zip"}, .desktop = kFallback, .opened = true},
    {.name = "ProposalForANameOfDots", .items = {L"...txt"}, .replies = {kCancel}, .proposals = L"ポルンの書庫",
     .handled = false, .ctrl = true},
    {.name = "FolderOfThatNameKept", .items = {L"=pics\\a.jpg", L"pics.zip"}, .desktop = kBesidePics, .opened = true},
    {.name = "StoppedInTheNewFolder", .items = {L"=pics\\a.jpg", L"pics.zip"}, .caption = kError,
     .message = L"「pics (2)」に残してある", .desktop = kBesidePics, .archive = Unreadable()},
    // an archive without entries, read past a stub in front of it
    {.name = "EmptyArchiveMakesNoFolder", .items = {L"pics.zip"}, .archive = "stub" + BuildZip({})},
    // a folder not listed to its end has no entry of its own and is told, as are files that could not be read
    {.name = "FolderThatCannotBeListed", .items = {L"docs\\"}, .replies = {nullptr}, .proposals = L"docs",
     .caption = kNotice,
     .message = L"リンクと、中を読めなかったフォルダ、\nあわせて 1 個は入ってないろ！",
     .desktop = L"docs.zip", .lister = &kDenied},
    {.name = "ListingBrokenOffAfterAFileGone", .items = {L"docs\\"}, .replies = {nullptr}, .proposals = L"docs",
     .caption = kNotice,
     .message = L"開けなかった 1 個のファイルと、\n"
                L"リンクと、中を読めなかったフォルダ 1 個",
     .desktop = L"docs.zip[docs/a.txt]", .lister = &kBrokenOff},
    {.name = "ArchiveLargerThanTheFreeSpace", .items = {L"pics.zip"}, .caption = kError,
     .message = L"「pics.zip」を解凍するには 1.0 PB いるのに、\n空きは ",
     .archive = BuildZip({Claiming(StoredEntry("a.jpg", "jpeg"), 1ULL << 50)})},
}), RowName);

// Closing during a job stops it first (its file goes), then closes and saves; a group switch meanwhile is ignored.
struct CloseCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};

HWND g_launcher = nullptr;
CloseCase g_close;
int g_jobWrites = 0;
BOOL ClosingWriter(HANDLE file, const void* data, DWORD size, DWORD* written)
{
    if (++g_jobWrites == 3) {
        EXPECT_FALSE(IsWindowEnabled(g_launcher));  // no click reaches the bar meanwhile
        PostMessageW(g_launcher, WM_COMMAND, IDM_FIRST_GROUP + 1, 0);
        PostMessageW(g_launcher, g_close.message, g_close.wParam, 0);
        // The job writes on once the window's thread has stopped it.
        EXPECT_TRUE(WaitUntil([] { return JobStopping(g_launcher); }));
    }
    return WriteFile(file, data, size, written, nullptr);
}

class CloseDuringJob : public LauncherWindow, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseDuringJob, StopsTheJobThenCloses)
{
    Open();
    TempFolder desktop;
    const SeamGuard desktopFolder = OverrideDesktopFolder(desktop.Path().c_str());
    const SeamGuard opener = OverrideFolderOpener(RecordOpen);
    const SeamGuard writer = OverrideEntryWriter(ClosingWriter);
    g_opened.clear();
    g_launcher = window_;
    g_close = GetParam();
    g_jobWrites = 0;
    ASSERT_TRUE(WriteBytes(folder_.File(L"pics.zip"), BuildZip({StoredEntry("a.jpg", "a"),
                                                               DeflatedEntry("big.bin", std::string(2 << 20, 'b'))})));
    EXPECT_TRUE(ShellDrop(window_, {folder_.File(L"pics.zip")}));
    EXPECT_EQ(0, launcher_->CurrentGroup());
    EXPECT_EQ(Tree({L"pics\\", L"pics\\a.jpg"}), ListTree(desktop.Path()));
    EXPECT_EQ(L"", g_opened);
    EXPECT_TRUE(WaitGone(window_));
    EXPECT_TRUE(Exists(folder_.File(L"porun.dat")));
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseDuringJob, ::testing::ValuesIn(std::vector<CloseCase>{
    {"CloseMessage", WM_CLOSE, 0}, {"TrayMenuGoodbye", WM_COMMAND, IDM_CLOSE}, {"SessionEnd", WM_ENDSESSION, TRUE},
}), RowName);

// A packing of the window's drop met halfway by the launcher's close, the session's end or a restore from the tray:
// what is done to the window from the job's thread, at its third read, while the window's thread runs on.
class PackingMetHalfway : public LauncherWindow {
protected:
    void Pack(std::function<void()> halfway)
    {
        const SeamGuard desktopFolder = OverrideDesktopFolder(desktop_.Path().c_str());
        const SeamGuard reader = OverrideSourceReader(HalfwayReader);
        g_halfway = std::move(halfway);
        g_reads = 0;
        const std::wstring docs = source_.Folder(L"docs");
        ASSERT_TRUE(WriteBytes(docs + L"\\big.bin", std::string(1 << 20, 'b')));
        DialogWaiter name(L"ZIP書庫の作成", IDOK);
        EXPECT_TRUE(ShellDrop(window_, {docs}));
        EXPECT_TRUE(name.Seen());
    }
    // The job's thread once the window's thread has stopped the job.
    void WaitStopped() { EXPECT_TRUE(WaitUntil([this] { return JobStopping(window_); })); }

    TempFolder desktop_, source_;

private:
    static BOOL HalfwayReader(HANDLE file, void* data, DWORD size, DWORD* read)
    {
        if (++g_reads == 3)
            g_halfway();
        return ReadFile(file, data, size, read, nullptr);
    }
    static inline std::function<void()> g_halfway;
    static inline int g_reads = 0;
};

TEST_F(PackingMetHalfway, CloseStopsItAndClosesOnceItHasEnded)
{
    Open();
    Pack([this] {
        PostMessageW(window_, WM_COMMAND, IDM_CLOSE, 0);
        WaitStopped();
    });
    EXPECT_EQ(Tree(), ListTree(desktop_.Path()));  // neither the archive nor its temporary file
    EXPECT_TRUE(WaitGone(window_));
    EXPECT_TRUE(Exists(folder_.File(L"porun.dat")));
}

TEST_F(PackingMetHalfway, SessionEndStopsItAndWaitsForItBeforeWriting)
{
    Open();
    Pack([this] {
        EXPECT_TRUE(SendMessageW(window_, WM_QUERYENDSESSION, 0, 0));  // answered while the job works
        PostMessageW(window_, WM_ENDSESSION, TRUE, 0);
        WaitStopped();
    });
    EXPECT_EQ(Tree(), ListTree(desktop_.Path()));
    EXPECT_TRUE(WaitGone(window_));
    EXPECT_TRUE(Exists(folder_.File(L"porun.dat")));
}

TEST_F(PackingMetHalfway, RestoreFromTheTrayIsRefused)
{
    Open();
    Pack([this] { EXPECT_TRUE(SendMessageTimeoutW(window_, WM_COMMAND, IDM_RESTORE_GENERATION, 0, SMTO_NORMAL, 15000,
                                                  nullptr)); });
    EXPECT_EQ(L"docs.zip[docs/big.bin,docs/]", Describe(desktop_.Path()));
    EXPECT_TRUE(IsWindow(window_));
}

// The session's end while the built launcher packs, its cancel question open: the question goes unanswered and the
// launcher ends by itself; its temporary file goes also when the system ends it as soon as it has answered.
struct SessionEndCase {
    const char* name;
    bool terminated;  // by the system, right after the launcher's answer (Windows may do so)
};
class SessionEndWhilePacking : public ::testing::TestWithParam<SessionEndCase> {};

TEST_P(SessionEndWhilePacking, LeavesNothingOnTheDesktop)
{
    TempFolder folder;
    const std::wstring desktop = folder.Folder(L"desktop"), bag = folder.Folder(L"bag");
    const DesktopRedirect onlyHere(desktop);
    HANDLE disk = CreateFileW((bag + L"\\disk.img").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    const LARGE_INTEGER size{.QuadPart = 64LL << 30};  // sparse: far more than is read before the question
    ASSERT_TRUE(SetFilePointerEx(disk, size, nullptr, FILE_BEGIN) && SetEndOfFile(disk) && CloseHandle(disk));
    LauncherProcess launcher(CopyInto(BuildFile(PORUN_EXE_PATH), folder, L"porun.exe"));
    HWND window = launcher.Window();
    ASSERT_TRUE(window && launcher.Drop({bag}, IDC_GROUP_BUTTON));
    Press(launcher.Dialog(L"ZIP書庫の作成"), IDOK);
    ASSERT_TRUE(WaitUntil([&] {  // the temporary file is there
        const Tree items = ListTree(desktop);
        return items.size() == 1 && items[0].find(L".tmp") != std::wstring::npos;
    }));
    Press(launcher.Dialog(L"ファイルの圧縮中"), IDCANCEL);
    HWND question = launcher.Dialog(L"=(o.o)=");
    ASSERT_NE(nullptr, question);
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 15000, nullptr));
    if (GetParam().terminated)
        launcher.Kill();
    EXPECT_TRUE(WaitGone(question));
    EXPECT_NE(-1, launcher.WaitForExit());
    EXPECT_EQ(Tree(), ListTree(desktop));
}

INSTANTIATE_TEST_SUITE_P(Ends, SessionEndWhilePacking, ::testing::ValuesIn(std::vector<SessionEndCase>{
    {"EndedByTheSystem", true}, {"LeftToEnd", false},
}), RowName);

// The share done and the file shown; the cancel asked first with Cancel the default (ENTER goes on).
TEST(ProgressWindow, ShowsTheShareDoneAndAsksBeforeCancelling)
{
    HWND dialog = nullptr;
    {
        ProgressDialog progress;
        dialog = progress.Show(nullptr);
        auto position = [dialog] {
            return static_cast<int>(SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
        };
        progress.SetText(L"a.txt");
        EXPECT_TRUE(WaitUntil([dialog] { return Text(dialog, IDC_PROGRESS_TEXT) == L"a.txt"; }));
        const int rows[][3] = {{7, 3, 42}, {7, 7, 100}, {100, 29, 29}, {INT_MAX, INT_MAX, 100}, {0, 5, 0}};
        for (const auto& [high, value, bar] : rows) {
            progress.SetRange(0, high);
            progress.SetProgress(value);
            EXPECT_TRUE(WaitUntil([&] { return position() == bar; })) << value << " of " << high;
        }
        progress.SetTotal(ULLONG_MAX);
        progress.SetProgress(ULLONG_MAX);
        EXPECT_TRUE(WaitUntil([&] { return position() == 100; }));
        for (int answer : {IDCANCEL, IDOK}) {
            std::vector<LONG> styles;
            DialogWaiter question(L"=(o.o)=", answer, [&](HWND box) {
                for (int id : {IDOK, IDCANCEL})
                    styles.push_back(GetWindowLongW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK);
            }, GetCurrentProcessId(), dialog);
            SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);  // back once answered
            int cancelled = -1;
            progress.SetProgress(1, &cancelled);
            EXPECT_EQ(L"中断しても、いいのら？", question.Message());
            EXPECT_EQ(std::vector<LONG>({BS_PUSHBUTTON, BS_DEFPUSHBUTTON}), styles);
            EXPECT_EQ(answer == IDOK, cancelled == 1);
            EXPECT_TRUE(IsWindowVisible(dialog));
        }
        progress.SetProgress(2);
        EXPECT_EQ(1, progress.IsCancelled());  // stays cancelled on later updates
    }
    EXPECT_FALSE(IsWindow(dialog));
}

// A quit posted while the cancel is asked (the session's end closed the main window) waits for the program's loop:
// the task takes it once, never round and round, and it is posted again when the window goes.
int g_quitsTaken = 0;
LRESULT CALLBACK CountQuits(int code, WPARAM removed, LPARAM message)
{
    if (code == HC_ACTION && removed == PM_REMOVE && reinterpret_cast<const MSG*>(message)->message == WM_QUIT)
        ++g_quitsTaken;
    return CallNextHookEx(nullptr, code, removed, message);
}

TEST(ProgressWindow, KeepsAQuitForTheProgramsLoop)
{
    g_quitsTaken = 0;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountQuits, nullptr, GetCurrentThreadId());
    HWND probe = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    {
        ProgressDialog progress;
        Press(progress.Show(nullptr), IDCANCEL);
        HWND question = WaitForDialog(L"=(o.o)=");
        ASSERT_NE(nullptr, question);
        PostQuitMessage(7);
        std::thread answer([&] {  // each probe is served by the waiting task
            for (int i = 0; i < 3; ++i)
                SendMessageW(probe, WM_NULL, 0, 0);
            Press(question, IDCANCEL);
        });
        progress.SetProgress(1);
        answer.join();
        EXPECT_EQ(1, g_quitsTaken);
    }
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    DestroyWindow(probe);
    UnhookWindowsHookEx(hook);
}

}  // namespace
