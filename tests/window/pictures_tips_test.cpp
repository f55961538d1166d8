// The pictures the bar and the settings show, fresh from their files and at 144 DPI (a CTest run), and the tips.
#include "window/window_test.h"

#include "bar/button_icons.h"
#include "bar/icon_cache_file.h"
#include "support/display_scale.h"
#include "support/path_lookup.h"
#include "support/scoped_handle.h"

using namespace window_test;

namespace {

struct PictureRow {
    const char* name;
    bool group;                   // the group's icon, else button 1's
    const wchar_t *file, *iconFile;  // beside the program: porun.exe, notes.txt, the folder box, missing.exe; "" none
    int index, expected;          // expected: the icon resource shown
};
class ButtonPicture : public Table<PictureRow> {};

// The bar and the settings dialog's preview show the same picture: what is previewed is what the button gets.
TEST_P(ButtonPicture, ShowsTheIconItsRecordNamesAlsoInTheSettings)
{
    ASSERT_TRUE(WriteBytes(folder_.File(L"notes.txt"), "hello") && Exists(folder_.Folder(L"box")));
    auto place = [&](const wchar_t* name) { return *name ? folder_.File(name) : std::wstring(); };
    const std::wstring file = place(row().file), iconFile = place(row().iconFile);
    row().group ? void(data_.Group(0, L"", iconFile, row().index))
                : void(data_.Button(0, 0, L"x", file, L"", L"", iconFile, row().index));
    Open();
    const int control = row().group ? IDC_GROUP_BUTTON : B(0);
    EXPECT_EQ(Resource(row().expected), Shows(control));
    Picture preview;
    const wchar_t* caption = row().group ? kGroupDialog : kButtonDialog;
    EXPECT_TRUE(FromMenu(control, IDM_BUTTON_SETTINGS, caption, row().group ? IDC_GROUP_CANCEL : IDCANCEL, [&](HWND d) {
        const LRESULT shown = SendDlgItemMessageW(d, IDC_ICON_PREVIEW, BM_GETIMAGE, IMAGE_ICON, 0);
        preview = Picture::OfIcon(reinterpret_cast<HICON>(shown));
    }));
    if (row().group || (*row().file && std::wstring(row().file) != L"missing.exe")) {  // else no file to preview
        EXPECT_EQ(Resource(row().expected), preview);
    }
    Close();
    EXPECT_TRUE(!row().group || iconFile == Decoded(Saved()->groups[0].group.iconFile)) << "a chosen icon file is kept";
}

const PictureRow kPictures[] = {
    {"ProgramWithIconThree", false, L"porun.exe", L"", 3, IDI_GROUP_3},
    {"DocumentHasNoIconOfItsOwn", false, L"notes.txt", L"", 0, IDI_NOT_FOUND},
    {"DocumentWithAnIconOfTheProgram", false, L"notes.txt", L"porun.exe", 2, IDI_GROUP_2},
    {"MissingFileWinsOverItsIconFile", false, L"missing.exe", L"porun.exe", 2, IDI_NOT_FOUND},
    {"IconFileWithoutFile", false, L"", L"porun.exe", 4, IDI_GROUP_4},
    {"FolderWithAnIconFile", false, L"box", L"porun.exe", 1, IDI_FACE},
    {"MissingIconFile", false, L"porun.exe", L"missing.exe", 1, IDI_NOT_FOUND},
    {"FileWithoutIconsAtIndexTwo", false, L"notes.txt", L"notes.txt", 2, IDI_NOT_FOUND},
    {"IndexBeyondTheIcons", false, L"porun.exe", L"", 400, IDI_NOT_FOUND},
    {"NegativeIndexCountsAsTheFirst", false, L"porun.exe", L"", -1, IDI_PROGRAM},
    {"GroupIconNine", true, L"", L"porun.exe", 9, IDI_GROUP_9},
    {"GroupIconFileMissing", true, L"", L"missing.exe", 1, IDI_NOT_FOUND},
    {"GroupIconOfTheLauncherMovedAway", true, L"", L"old place\\porun.exe", 3, IDI_GROUP_3},
};
INSTANTIATE_TEST_SUITE_P(Rows, ButtonPicture, ::testing::ValuesIn(kPictures), RowName);

class Pictures : public Window {};

// Group icons recorded once shown; tips: modifiers in order, texts as they are, a nameless key, none on arrows.
TEST_F(Pictures, AStartedBarShowsTheDefaultGroupIconsOfThisProgramAndTipsOfButtonsAndGroups)
{
    data_.settings.groupCount = 10;
    data_.Group(0, L"Tools").Group(1, L"Games & Fun");
    data_.Button(0, 0, L"Editor", L"C:\\x.exe").Button(0, 1, L"Tom & Jerry", L"C:\\x.exe");
    data_.Button(0, 3, L"E", L"C:\\x.exe");
    shortcuts_ = ShortcutLines(0, 0, 'A', 7, 0) + ShortcutLines(0, 2, VK_F2, 0, 0) +
                 ShortcutLines(0, 3, 300, 1, 0) + ShortcutLines(0, 4, VK_SPACE, 6, 0) + ActiveLines(0, 0);
    Open();
    EXPECT_EQ(Resource(IDI_PREVIOUS_GROUP), Shows(IDC_PREVIOUS_GROUP));
    EXPECT_NE(Picture::OfWindow(GetDlgItem(window_, B(0))), Picture::OfWindow(GetDlgItem(window_, B(2))));  // drawn
    EXPECT_EQ(Resource(IDI_NEXT_GROUP), Shows(IDC_NEXT_GROUP));
    EXPECT_EQ(Resource(IDI_EMPTY_BUTTON), Shows(B(9)));
    const wchar_t* tips[] = {L"Editor (CTRL+SHIFT+ALT+A)", L"Tom & Jerry", L" (F2)", L"E (SHIFT+)",
                             L" (CTRL+ALT+SPACE)", L""};
    for (int b = 0; b < 6; ++b)
        EXPECT_EQ(tips[b], Tip(B(b))) << b;
    EXPECT_EQ(L"", Tip(IDC_PREVIOUS_GROUP) + Tip(IDC_NEXT_GROUP)) << "the arrows have no tips";
    for (const wchar_t* name : {L"Tools", L"Games & Fun", L""}) {
        EXPECT_EQ(name, Tip(IDC_GROUP_BUTTON));
        Click(IDC_NEXT_GROUP);
    }
    Command(IDM_FIRST_GROUP + 5);
    EXPECT_EQ(GroupPicture(5), Shows(IDC_GROUP_BUTTON));
    Close();
    for (int g = 0; g < 10; ++g) {
        const bool shown = g <= 3 || g == 5;
        EXPECT_EQ(shown ? program_ : L"", Decoded(Saved()->groups[g].group.iconFile)) << g;
        EXPECT_EQ(shown ? g + 1 : 0, Saved()->groups[g].group.iconIndex) << g;
        EXPECT_EQ(GroupPicture(g), Picture::OfFileIcon(program_, g + 1)) << g;
        for (int other = 0; other < g; ++other)
            EXPECT_NE(GroupPicture(g), GroupPicture(other)) << g;
    }
}

// A 32 x 32 icon file of one colour (0xRRGGBB), padded at its end by extra bytes.
std::string IconFile(DWORD colour, size_t extra = 0)
{
#pragma pack(push, 2)
    struct { WORD reserved = 0, type = 1, count = 1; BYTE width = 32, height = 32, colours = 0, zero = 0;
             WORD planes = 1, bits = 32; DWORD size = 40 + 4096 + 128, offset = 22;
             BITMAPINFOHEADER info{40, 32, 64, 1, 32}; } head;
#pragma pack(pop)
    const std::vector<DWORD> pixels(32 * 32, 0xFF000000 | colour);
    return std::string(reinterpret_cast<const char*>(&head), sizeof head) +
           std::string(reinterpret_cast<const char*>(pixels.data()), 4096) + std::string(128 + extra, '\0');
}

bool Stamp(const std::wstring& path, ULONGLONG time)  // its last-write time, 100 ns units since 1601
{
    ScopedFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    return file && SetFileTime(file.Get(), nullptr, nullptr, &stamp);
}

struct Change {
    const char* name;
    std::string now;  // the file's bytes at the return; "" leaves them alone, "-" deletes the file
    ULONGLONG written;
};
constexpr ULONGLONG kFirst = 132000000000000000ULL, kHourLater = kFirst + 36000000000ULL;

class IconCache : public Table<Change> {};

// A return to a group shows each file as it is now: rewritten (new time or size), deleted or the same.
TEST_P(IconCache, AReturnShowsTheFileAsItIsNow)
{
    const std::wstring file = folder_.File(L"tool.ico");
    ASSERT_TRUE(WriteBytes(file, IconFile(0xFF0000)) && Stamp(file, kFirst));
    data_.Button(0, 0, L"tool", file);
    Open();
    const Picture before = Shows(IDC_FIRST_LAUNCHER);
    Command(IDM_FIRST_GROUP + 1);
    if (row().now == "-")
        ASSERT_TRUE(DeleteFileW(file.c_str()));
    else
        ASSERT_TRUE((row().now.empty() || WriteBytes(file, row().now)) && Stamp(file, row().written));
    Command(IDM_FIRST_GROUP);
    EXPECT_EQ(row().now == "-" ? Resource(IDI_NOT_FOUND) : Picture::OfFileIcon(file, 0), Shows(IDC_FIRST_LAUNCHER));
    EXPECT_EQ(row().now.empty(), before == Shows(IDC_FIRST_LAUNCHER));
}

INSTANTIATE_TEST_SUITE_P(Files, IconCache, ::testing::Values(
    Change{"Unchanged", "", kFirst}, Change{"NewTimeSameSize", IconFile(0x0000FF), kHourLater},
    Change{"NewSizeSameTime", IconFile(0x0000FF, 64), kFirst}, Change{"Deleted", "-", kFirst}), RowName);

struct CacheFileRow {
    const char* name;
    ULONGLONG written;    // tool.ico's time when it turns red before the second start (same size)
    bool damage;          // a byte of the icon file flipped before the second start
    DWORD shown, stored;  // the colour of the second start's icon, and of the icon file's entry after it
    bool shortcut = false;  // button 1 holds tool.lnk, which the shell shows with its target tool.ico's icon
    int group = 0;          // button 1's, shown after each start
    bool onShare = false;   // the shortcut leads to R:\\tool.exe, on a drive mapped to a share
};
class IconCacheFile : public Table<CacheFileRow> {};

UINT WINAPI DriveRIsAShare(LPCWSTR root)
{
    return (root[0] | 0x20) == L'r' ? DRIVE_REMOTE : GetDriveTypeW(root);
}

// As the shell may show a shortcut: its target's icon, the shortcut's path left as it was (Wine shows none).
std::wstring g_target;
HICON WINAPI TargetsIcon(HINSTANCE instance, LPWSTR path, LPWORD index)
{
    const std::wstring name = path;
    if (name.size() < 4 || name.substr(name.size() - 4) != L".lnk")
        return ExtractAssociatedIconW(instance, path, index);
    return ExtractIconW(instance, g_target.c_str(), *index);
}

DWORD StoredColour(const std::wstring& iconFile, const std::wstring& path)  // an entry's first pixel, 0 for none
{
    const std::string bytes = ReadBytes(iconFile);
    std::vector<StoredIcon> icons;
    ParseIconCacheFile(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), &icons);
    for (const StoredIcon& icon : icons) {
        if (path == icon.key.path)
            return icon.pixels.at(0) & 0xFFFFFF;
    }
    return 0;
}

// A start takes an icon from the icon file while the icon's file keeps its time and size; else it reads it anew.
TEST_P(IconCacheFile, AnEntryIsShownOnlyWhileItsFileIsUnchanged)
{
    const std::wstring file = folder_.File(L"tool.ico"), icons = folder_.File(L"porun.icons");
    const std::wstring shown = row().shortcut ? folder_.File(L"tool.lnk") : file;
    ASSERT_TRUE(WriteBytes(file, IconFile(0x0000FF)) && Stamp(file, kFirst));
    const SeamGuard share = OverrideDriveType(DriveRIsAShare);
    ASSERT_TRUE(!row().shortcut || (row().onShare ? MakeShellLink(shown, L"R:\\tool.exe", L"", L"")
                                                  : WriteBytes(shown, "a shortcut")));
    g_target = file;
    const SeamGuard targets = OverrideAssociatedIcon(TargetsIcon);
    data_.Button(row().group, 0, L"tool", shown);
    Open();
    Command(IDM_FIRST_GROUP + row().group);
    Close();
    std::string cached = ReadBytes(icons);
    cached[cached.size() / 2] ^= row().damage ? 0x01 : 0x00;
    ASSERT_TRUE(WriteBytes(icons, cached));
    ASSERT_TRUE(WriteBytes(file, IconFile(0xFF0000)) && Stamp(file, row().written));
    ASSERT_TRUE(WriteBytes(folder_.File(L"shown.ico"), IconFile(row().shown)));
    Open();
    Command(IDM_FIRST_GROUP + row().group);
    EXPECT_EQ(Picture::OfFileIcon(folder_.File(L"shown.ico"), 0), Shows(B(0)));
    Close();
    EXPECT_EQ(row().stored, StoredColour(icons, shown));
}

INSTANTIATE_TEST_SUITE_P(Files, IconCacheFile, ::testing::Values(
    CacheFileRow{.name = "Unchanged", .written = kFirst, .damage = false, .shown = 0x0000FF, .stored = 0x0000FF},
    CacheFileRow{.name = "NewTime", .written = kHourLater, .damage = false, .shown = 0xFF0000, .stored = 0xFF0000},
    CacheFileRow{.name = "Damaged", .written = kFirst, .damage = true, .shown = 0xFF0000, .stored = 0xFF0000},
    CacheFileRow{.name = "AShortcutWhoseTargetChanged", .written = kHourLater, .damage = false, .shown = 0xFF0000,
                 .stored = 0xFF0000, .shortcut = true},
    CacheFileRow{.name = "AShortcutWhoseTargetChangedInAGroupShownLater", .written = kHourLater, .damage = false,
                 .shown = 0xFF0000, .stored = 0xFF0000, .shortcut = true, .group = 2},
    CacheFileRow{.name = "AShortcutToAShareKeepsWhatTheFileHolds", .written = kHourLater, .damage = false,
                 .shown = 0x0000FF, .stored = 0x0000FF, .shortcut = true, .onShare = true}),
    RowName);

// Lookups of button 1's file in group 3, counted; a share that is gone answers at once that nothing is there.
int g_lookups = 0;
BOOL WINAPI CountedLookup(LPCWSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID data)
{
    const std::wstring looked = path;
    g_lookups += looked.find(L"tool.exe") != std::wstring::npos;
    if (looked.rfind(L"\\\\", 0) == 0) {
        SetLastError(ERROR_BAD_NETPATH);
        return FALSE;
    }
    return GetFileAttributesExW(path, level, data);
}

struct SourceRow {
    const char* name;
    const wchar_t* file;  // of button 1 in group 3, a group the start looked at never shows; "~": the test's folder
    bool shownBefore;     // an earlier start showed group 3: the icon file holds all it needs
};
class IconFileSources : public Table<SourceRow> {};

// The start and the close wait on no file off this machine, and look for the icon file's sources only to write it.
TEST_P(IconFileSources, AreLookedForOnlyOnThisMachineAndOnlyToWriteTheFile)
{
    const Recorder tool(folder_, L"tool.exe", true);
    for (int g = 0; g < 3; ++g)
        data_.Group(g, L"", folder_.File(L"porun.exe"), g + 1);
    const std::wstring file = row().file;
    data_.Button(2, 0, L"tool", file[0] == L'~' ? folder_.Path() + file.substr(1) : file);
    const SeamGuard share = OverrideDriveType(DriveRIsAShare);
    if (row().shownBefore) {
        Open();
        Command(IDM_FIRST_GROUP + 2);
        Command(IDM_FIRST_GROUP);
        Close();
    }
    g_lookups = 0;
    const SeamGuard counted = OverridePathLookup(CountedLookup);
    Open();
    Close();
    EXPECT_EQ(0, g_lookups);
}

INSTANTIATE_TEST_SUITE_P(Rows, IconFileSources, ::testing::Values(
    SourceRow{.name = "OnAShareThatIsGone", .file = L"\\\\gone\\share\\tool.exe", .shownBefore = false},
    SourceRow{.name = "OnAMappedNetworkDrive", .file = L"R:\\tool.exe", .shownBefore = false},
    SourceRow{.name = "HereOnceTheIconFileHoldsThem", .file = L"~\\tool.exe", .shownBefore = true}), RowName);

// At a lookup made while closing: whether porun.dat already held the change the close saves.
std::wstring g_dataFile;
bool g_savedBefore = true;
BOOL WINAPI LookupAfterTheSave(LPCWSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID data)
{
    ++g_lookups;
    g_savedBefore = g_savedBefore && DataImage::Read(g_dataFile).value_or(DataImage()).Title(0, 0) == L"B";
    return GetFileAttributesExW(path, level, data);
}

TEST_F(Pictures, AClosingSavesTheDataFileBeforeLookingAtTheIconsFiles)
{
    const Recorder tool(folder_, L"tool.exe", true);
    data_.Button(0, 0, L"A", L"C:\\a.exe").Button(1, 0, L"tool", tool.Path());
    Open();
    Command(IDM_FIRST_GROUP + 1);  // icons the icon file lacks: it is written again at the close
    Command(IDM_FIRST_GROUP);
    lstrcpynW(launcher_->ButtonAt(0, 0)->title, L"B", kFieldSize);
    g_dataFile = folder_.File(L"porun.dat");
    g_lookups = 0;
    const SeamGuard lookup = OverridePathLookup(LookupAfterTheSave);
    Close();
    EXPECT_GT(g_lookups, 0);
    EXPECT_TRUE(g_savedBefore);
}

// The icon file changes nothing a start shows: the bar drawn from it is the bar drawn from the files themselves.
TEST_F(Pictures, AStartFromTheIconFileDrawsTheSameBar)
{
    Recorder withIcon(folder_, L"rec.exe", true), plain(folder_, L"plain.exe");
    ASSERT_TRUE(WriteBytes(folder_.File(L"notes.txt"), "hello") && Exists(folder_.Folder(L"box")));
    data_.Button(0, 0, L"rec", withIcon.Path()).Button(0, 1, L"plain", plain.Path());
    data_.Button(0, 2, L"notes", folder_.File(L"notes.txt")).Button(0, 3, L"box", folder_.Folder(L"box"));
    Open();
    const Picture extracted = Picture::OfWindow(window_);
    Close();
    ASSERT_TRUE(Exists(folder_.File(L"porun.icons")));
    Open();
    EXPECT_EQ(extracted, Picture::OfWindow(window_));
}

int IconSide(HICON icon)
{
    ICONINFO info = {};
    BITMAP bitmap = {};
    if (icon && GetIconInfo(icon, &info))
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Every image at 48 pixels, the program's own drawn for 48, also laid out again where a new screen's DPI puts it.
class BarAtDpi144 : public Window {};

TEST_F(BarAtDpi144, TheBarAndEveryImageOnItAreScaled)
{
    if (SystemDpi() != 144)
        GTEST_SKIP() << "the screen runs at " << SystemDpi() << " DPI";
    Recorder recorder(folder_, L"rec.exe", true);
    data_.Button(0, 1, L"gone", folder_.File(L"gone.exe")).Button(0, 2, L"rec", recorder.Path());
    Open();
    for (int pass = 0; pass < 2; ++pass) {
        RECT client, now;
        GetClientRect(window_, &client);
        EXPECT_EQ(std::make_pair(66L, 651L), std::make_pair(client.right, client.bottom));
        const int rows[][2] = {{IDC_GROUP_BUTTON, 0}, {IDC_PREVIOUS_GROUP, IDI_PREVIOUS_GROUP},
                               {IDC_NEXT_GROUP, IDI_NEXT_GROUP}, {B(0), IDI_EMPTY_BUTTON}, {B(1), IDI_NOT_FOUND},
                               {B(2), 0}};  // the program's picture a control shows, 0: a file's
        for (const auto& [id, resource] : rows) {
            const LRESULT shown = SendDlgItemMessageW(window_, id, BM_GETIMAGE, IMAGE_ICON, 0);
            EXPECT_EQ(48, IconSide(reinterpret_cast<HICON>(shown))) << id;
            if (resource) {
                EXPECT_EQ(Picture::OfResourceIcon(resource, 48), Shows(id)) << id;
            }
        }
        GetWindowRect(window_, &now);
        if (pass == 0) {
            OffsetRect(&now, 30 - now.left, 40 - now.top);
            SendMessageW(window_, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&now));
        } else {
            EXPECT_EQ(std::make_pair(30L, 40L), std::make_pair(now.left, now.top));
        }
    }
}

}  // namespace
