#include "archive/archive_drop.h"

#include "archive/archive_messages.h"
#include "archive/archive_name_dialog.h"
#include "archive/entry_path.h"
#include "archive/path_identity.h"
#include "archive/size_text.h"
#include "resources/resource_ids.h"
#include "support/file_kind.h"
#include "support/key_state.h"
#include "support/messages.h"
#include "support/path_text.h"

#include <shlobj.h>

#include <cwchar>
#include <optional>
#include <string>

namespace {

std::optional<std::wstring> g_desktopOverride;  // a test's desktop folder

void ShellOpenFolder(HWND window, const wchar_t* folder)
{
    ShellExecuteW(window, L"open", folder, nullptr, folder, SW_SHOWNORMAL);
}

FolderOpenFunction g_openFolder = ShellOpenFolder;

// The name a new folder or archive takes from the dropped item path: its
// name without extension, made safe to stand directly below the desktop.
std::wstring NameAfterItem(const wchar_t* path)
{
    wchar_t base[MAX_PATH];
    CopyNameWithoutExtension(path, base, MAX_PATH);
    wchar_t fallback[MAX_PATH] = L"";
    LoadStringW(GetModuleHandleW(nullptr), IDS_ARCHIVE_FALLBACK_NAME, fallback, MAX_PATH);
    wchar_t name[MAX_PATH];
    MakeSafeItemName(base, fallback, name, MAX_PATH);
    return name;
}

// The dropped paths in drop order.
std::vector<std::wstring> DroppedItems(HDROP drop, UINT count)
{
    std::vector<std::wstring> items;
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[MAX_PATH];
        if (DragQueryFileW(drop, i, path, MAX_PATH))
            items.push_back(path);
    }
    return items;
}

// True when path is one of the dropped items or lies inside a dropped folder.
bool HitsDroppedItem(const std::vector<std::wstring>& items, const wchar_t* path)
{
    for (const std::wstring& item : items) {
        if (IsSameOrInside(path, item.c_str()))
            return true;
    }
    return false;
}

// The own name of a path, for the messages.
const wchar_t* ShownName(const std::wstring& path)
{
    return FileNameOf(path.c_str());
}

void ReportPacking(HWND window, const std::wstring& archivePath, const PackReport& report)
{
    wchar_t files[32];
    wchar_t others[32];
    wsprintfW(files, L"%u", report.skipped);
    wsprintfW(others, L"%u", report.leftOut);
    const UINT left = MB_OK | MB_ICONEXCLAMATION;
    switch (report.result) {
    case kPackDone:
        if (report.skipped && report.leftOut)
            ShowArchiveMessage(window, IDS_MSG_PACK_BOTH_LEFT_OUT, left, ShownName(archivePath), files, others);
        else if (report.skipped)
            ShowArchiveMessage(window, IDS_MSG_PACK_SKIPPED, left, ShownName(archivePath), files);
        else if (report.leftOut)
            ShowArchiveMessage(window, IDS_MSG_PACK_LEFT_OUT, left, ShownName(archivePath), others);
        break;
    case kPackFailed:
        ShowArchiveMessage(window, IDS_MSG_PACK_FAILED, MB_OK | MB_ICONERROR, ShownName(archivePath),
                           FileNameOf(report.item));
        break;
    case kPackCreateFailed:
        ShowMessageId(window, IDS_MSG_ARCHIVE_CREATE_FAILED, MB_OK | MB_ICONERROR);
        break;
    case kPackCancelled:
        break;
    }
}

bool AgreesToReplace(HWND window, const std::wstring& archivePath)
{
    return ShowArchiveMessage(window, IDS_MSG_ARCHIVE_REPLACE, MB_YESNO | MB_ICONQUESTION, ShownName(archivePath)) ==
           IDYES;
}

// The archive's path on the desktop as the user names it; empty when the
// name dialog was closed.
std::wstring AskArchivePath(ArchiveJob& job)
{
    const ArchiveDropInputs& drop = job.Drop();
    ArchiveNameDialog nameDialog(&job);
    nameDialog.SetName(drop.baseName.c_str());
    for (;;) {
        if (nameDialog.Run(job.Window()) == 0)
            return std::wstring();
        // A typed name that is no single file name (a "..\\", a device,
        // a "|") would write elsewhere or nowhere: it is asked again.
        if (!IsSafeItemName(nameDialog.GetName())) {
            nameDialog.SetNotice(IDS_ARCHIVE_NAME_UNUSABLE);
            continue;
        }
        const std::wstring archivePath = drop.desktop + L'\\' + nameDialog.GetName() + L".zip";
        // A dropped item is never opened for writing: the name is asked again.
        if (HitsDroppedItem(drop.items, archivePath.c_str())) {
            nameDialog.SetNotice(IDS_ARCHIVE_NAME_TAKEN);
            continue;
        }
        // An archive of that name is replaced only when the user says so;
        // otherwise the name is asked again.
        if (!FileExists(archivePath.c_str()) || AgreesToReplace(job.Window(), archivePath))
            return archivePath;
        if (job.Stopping())
            return std::wstring();
    }
}

// Packing: the archive's name asked, then the work started.
ArchiveStep AskAndPack(ArchiveJob& job)
{
    const ArchiveDropInputs& drop = job.Drop();
    if (drop.items.empty())
        return ArchiveStep::kNotForArchives;
    if (drop.desktop.empty()) {
        ShowMessageId(job.Window(), IDS_MSG_NO_DESKTOP, MB_OK | MB_ICONERROR);
        return ArchiveStep::kDealt;
    }
    // Every name would land inside what was dropped: no point in asking.
    if (HitsDroppedItem(drop.items, drop.desktop.c_str())) {
        ShowMessageId(job.Window(), IDS_MSG_DESKTOP_DROPPED, MB_OK | MB_ICONERROR);
        return ArchiveStep::kDealt;
    }
    const std::wstring archivePath = AskArchivePath(job);
    // A job stopped during the questions (the launcher closing) begins nothing.
    if (job.Stopping())
        return ArchiveStep::kDealt;
    if (archivePath.empty())
        return ArchiveStep::kNotForArchives;
    job.StartPacking(archivePath);
    return ArchiveStep::kWorking;
}

void ReportNoRoom(HWND window, const std::wstring& archivePath, const ExtractReport& report)
{
    wchar_t needed[32];
    wchar_t available[32];
    FormatByteSize(report.needed, needed, 32);
    FormatByteSize(report.available, available, 32);
    ShowArchiveMessage(window, IDS_MSG_EXTRACT_NO_ROOM, MB_OK | MB_ICONERROR, ShownName(archivePath), needed,
                       available);
}

// A whole extraction: the entries skipped told, then its folder opened.
void ReportExtracted(HWND window, const std::wstring& archivePath, const ExtractReport& report)
{
    if (report.skipped) {
        wchar_t number[32];
        wsprintfW(number, L"%I64u", report.skipped);
        ShowArchiveMessage(window, IDS_MSG_EXTRACT_SKIPPED, MB_OK | MB_ICONEXCLAMATION, ShownName(archivePath),
                           number);
    }
    if (*report.folder && IsFolder(report.folder))
        g_openFolder(window, report.folder);
}

// What went wrong told, the folder opened when it was extracted; a damaged
// archive, or a file that turned out to be none, is packed instead when CTRL
// was held.
ArchiveStep TellExtraction(ArchiveJob& job)
{
    HWND window = job.Window();
    const ExtractReport& report = job.Extracted();
    switch (report.result) {
    case kExtractDone:
        ReportExtracted(window, job.Archive(), report);
        return ArchiveStep::kDealt;
    case kExtractNoRoom:
        ReportNoRoom(window, job.Archive(), report);
        return ArchiveStep::kDealt;
    case kExtractNoFolder:
        ShowArchiveMessage(window, IDS_MSG_EXTRACT_NO_FOLDER, MB_OK | MB_ICONERROR, ShownName(job.Archive()),
                           ShownName(job.Folder()));
        return ArchiveStep::kDealt;
    case kExtractFailed:
        ShowArchiveMessage(window, IDS_MSG_EXTRACT_STOPPED, MB_OK | MB_ICONERROR, ShownName(job.Archive()),
                           report.entry, FileNameOf(report.folder));
        return ArchiveStep::kDealt;
    case kExtractCancelled:
        return ArchiveStep::kNotForArchives;
    case kExtractRefused:
        if (job.Drop().ctrl)
            return AskAndPack(job);
        ShowArchiveMessage(window, IDS_MSG_ARCHIVE_DAMAGED, MB_OK | MB_ICONERROR, ShownName(job.Archive()));
        return ArchiveStep::kDealt;
    case kExtractNotArchive:
        break;
    }
    return job.Drop().ctrl ? AskAndPack(job) : ArchiveStep::kNotForArchives;
}

}  // namespace

SeamGuard OverrideDesktopFolder(const wchar_t* path)
{
    return OverrideSeam(g_desktopOverride, path ? std::optional<std::wstring>(path) : std::nullopt);
}

SeamGuard OverrideFolderOpener(FolderOpenFunction opener)
{
    return OverrideSeam(g_openFolder, opener ? opener : ShellOpenFolder);
}

bool GetDesktopFolder(wchar_t* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return false;
    wchar_t path[MAX_PATH] = L"";
    if (g_desktopOverride)
        lstrcpynW(path, g_desktopOverride->c_str(), MAX_PATH);
    else if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path)))
        path[0] = L'\0';
    const size_t length = std::wcslen(path);
    if (length == 0 || length >= size)
        return false;
    wmemcpy(buffer, path, length + 1);
    return true;
}

ArchiveDropInputs ReadArchiveDrop(HDROP drop)
{
    ArchiveDropInputs inputs;
    if (!drop)
        return inputs;
    inputs.items = DroppedItems(drop, DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    inputs.baseName = NameAfterItem(inputs.items.empty() ? L"" : inputs.items[0].c_str());
    wchar_t desktop[MAX_PATH];
    if (GetDesktopFolder(desktop, MAX_PATH))
        inputs.desktop = desktop;
    inputs.ctrl = KeyHeld(VK_CONTROL);
    return inputs;
}

// Extraction, packing or neither, by what was dropped and the keys held.
ArchiveStep BeginArchiveDrop(ArchiveJob& job)
{
    const ArchiveDropInputs& drop = job.Drop();
    if (drop.items.size() != 1 || IsFolder(drop.items[0].c_str()))
        return AskAndPack(job);
    const std::wstring& first = drop.items[0];
    if (drop.desktop.empty()) {
        // Only an archive or a CTRL drop needs the desktop; a plain file
        // goes on to be offered as the group's icon.
        if (!IsZipArchive(first.c_str()) && !drop.ctrl)
            return ArchiveStep::kNotForArchives;
        ShowMessageId(job.Window(), IDS_MSG_NO_DESKTOP, MB_OK | MB_ICONERROR);
        return ArchiveStep::kDealt;
    }
    if (TakenForArchive(first.c_str())) {
        // The folder is named after the archive, through the wide API: a name
        // outside code page 932 stays as it is.
        job.StartExtracting(first, drop.desktop + L'\\' + drop.baseName);
        return ArchiveStep::kWorking;
    }
    return drop.ctrl ? AskAndPack(job) : ArchiveStep::kNotForArchives;
}

// The progress window goes first; a job stopped for a close or the
// session's end tells nothing.
ArchiveStep FinishArchiveDrop(ArchiveJob& job)
{
    job.Join();
    if (job.Stopping())
        return ArchiveStep::kDealt;
    if (!job.IsPacking())
        return TellExtraction(job);
    ReportPacking(job.Window(), job.Archive(), job.Packed());
    return ArchiveStep::kDealt;
}
