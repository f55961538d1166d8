#pragma once
// The archive tests' own dialog answerer; their archives come from support/zip.h.
// Characters outside code page 932 are spelled as \u escapes in the tests:
// the test macros quote their arguments as text of the program's code page.
#include "support/files.h"
#include "support/zip.h"

#include <windows.h>

#include <string>

using support::BuildZip;
using support::CentralRecord;
using support::DeflatedEntry;
using support::EndRecord;
using support::FolderEntry;
using support::ListedEntry;
using support::ListTree;
using support::ListZip;
using support::LocalHeader;
using support::RawEntry;
using support::ReadFileWide;
using support::StoredEntry;
using support::Tree;
using support::UnicodePathExtra;
using support::Wide;
using support::WriteFileWide;

// Waits on another thread for a dialog of this process whose caption is
// exactly caption, and presses button in it.
class ExactDialogAnswerer {
public:
    ExactDialogAnswerer(std::string caption, int button, DWORD timeoutMs = 10000);
    ~ExactDialogAnswerer();
    ExactDialogAnswerer(const ExactDialogAnswerer&) = delete;
    ExactDialogAnswerer& operator=(const ExactDialogAnswerer&) = delete;
    void Join();
    bool Answered() const { return answered_; }

private:
    std::string caption_;
    int button_;
    DWORD timeoutMs_;
    volatile bool answered_ = false;
    HANDLE thread_ = nullptr;
    static DWORD WINAPI Run(void* self);
};
