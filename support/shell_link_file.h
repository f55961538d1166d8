#pragma once
// Reading and writing a shell link (".lnk") file through the system's
// shell-link object: its loading and its target, shared by the settings dialog (which also takes
// the link's options) and the bar (which shows where the target lies).
#include <windows.h>
#include <shobjidl.h>

// Releases a COM interface when the scope ends.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (p_)
            p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    T** Out() { return &p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// Loads the link file at linkFile (a path as used, not as stored) into link.
// False when the shell-link object cannot be had or the file not loaded.
bool LoadShellLink(const wchar_t* linkFile, ComRef<IShellLinkW>& link);

// The loaded link's target, whole, into target (size characters). False when
// it has no file-system target.
bool ReadLinkTarget(IShellLinkW* link, wchar_t* target, int size);

// True when the link file at linkFile leads to a file off this machine or
// takes its icon from one (support/path_lookup.h IsNetworkPath), as the link
// file itself says: nothing it names is looked at.
bool LinkLeadsOffThisMachine(const wchar_t* linkFile);

// Writes a link file at linkFile to target, started in folder. False when the
// shell-link object cannot be had or the file not written.
bool SaveShellLink(const wchar_t* linkFile, const wchar_t* target, const wchar_t* folder);

// True when the path is longer than three characters and ends in "lnk",
// compared without regard to case.
bool IsShellLinkPath(const wchar_t* path);
