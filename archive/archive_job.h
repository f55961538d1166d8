#pragma once
// The archive job of one drop on the group button, and who does what while
// it runs:
// - The window's thread (the main window's) makes the job with what the drop
//   hands it, asks the archive's name and whether an archive of that name
//   may be replaced (archive/archive_drop.h), and starts the work. When the
//   work has ended it joins the job's thread, closes the progress window and
//   tells the outcome. It alone starts, stops and destroys the job, which it
//   owns from the drop to the end (app/archive_jobs.h says how).
// - The job's thread, one per work, extracts or packs, writes its report
//   into the job and, as its last act, posts the end message to the window.
//   It owns nothing: what it works with is the job's.
// - The progress window's thread, made when the work shows its progress,
//   runs that window and its cancel question (support/progress_window.h
//   says who touches what there). The job owns the window; the window's
//   thread closes it.
// - The deflate workers (archive/deflate_pool.h) deflate a packing's pieces
//   while the job's thread reads on. The job owns them; they end with it.
// The stop flag is the job's: a stop reaches the work through the progress
// window's cancel and ends the name question when that is open.
#include "archive/archive_pack.h"
#include "archive/deflate_pool.h"
#include "archive/zip_extract.h"
#include "support/progress_window.h"
#include "support/scoped_handle.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// What a drop hands its job, read on the window's thread as it came.
struct ArchiveDropInputs {
    std::vector<std::wstring> items;  // the dropped paths, in drop order
    std::wstring desktop;             // the desktop folder; empty when unknown
    std::wstring baseName;            // what a new folder or archive is named after the first item
    bool ctrl = false;                // CTRL was held
};

class ArchiveJob {
public:
    // The end of each work is posted to window as endMessage; without a
    // window nothing is posted (Ended tells).
    ArchiveJob(HWND window, UINT endMessage, ArchiveDropInputs drop);
    // Stops a work still running and waits for its thread; then the progress
    // window closes and the workers end.
    ~ArchiveJob();
    ArchiveJob(const ArchiveJob&) = delete;
    ArchiveJob& operator=(const ArchiveJob&) = delete;

    HWND Window() const { return window_; }
    const ArchiveDropInputs& Drop() const { return drop_; }

    // The window's thread: starts a work on the job's thread, with a progress
    // window of its own: extracting archive into a new folder named after
    // folder, or packing the dropped items into archive. When no thread can
    // be made the work ends at once, as one that could not begin (no folder
    // made, no archive created).
    void StartExtracting(const std::wstring& archive, const std::wstring& folder);
    void StartPacking(const std::wstring& archive);
    // Any thread: the work has ended and its end been posted.
    bool Ended() const { return ended_; }
    // The window's thread: waits at most ms milliseconds for the work's
    // thread to end; true when it has, or when none runs.
    bool WaitForEnd(DWORD ms);
    // The window's thread, once the work has ended: its thread joined, its
    // progress window closed (the window it disabled enabled and focused).
    void Join();

    // The work and what it reported, read once it is joined.
    bool IsPacking() const { return work_ == Work::kPacking; }
    const std::wstring& Archive() const { return archive_; }
    const std::wstring& Folder() const { return folder_; }
    const ExtractReport& Extracted() const { return extracted_; }
    const PackReport& Packed() const { return packed_; }

    // The window's thread: stops the job as a confirmed cancel does (the
    // work's partial output goes as it unwinds) and ends its name question;
    // nothing more is asked or told.
    void Stop();
    // Stops it; the window is to close once it has ended.
    void StopThenClose();
    bool Stopping() const { return stopping_; }  // any thread
    bool ClosesWindow() const { return closeAfter_; }
    // The name question asked for the job (null once it has gone): a stop ends it.
    void NoteQuestion(HWND dialog);

private:
    enum class Work { kNone, kExtracting, kPacking };
    static DWORD WINAPI Run(void* context);
    void Start(Work work);
    void DoWork();

    const HWND window_;
    const UINT endMessage_;
    const ArchiveDropInputs drop_;

    // Set by the window's thread before the job's thread starts.
    Work work_ = Work::kNone;
    std::wstring archive_;
    std::wstring folder_;
    // Written by the job's thread, read by the window's once joined.
    ExtractReport extracted_;
    PackReport packed_;
    // The window's thread's; the job's thread works with the two last.
    ScopedFile thread_;
    HWND question_ = nullptr;
    bool closeAfter_ = false;
    std::unique_ptr<ProgressDialog> progress_;
    DeflatePool workers_;
    // Shared.
    std::atomic<bool> stopping_{false};
    std::atomic<bool> ended_{false};
};
