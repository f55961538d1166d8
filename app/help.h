#pragma once
#include "support/scoped_handle.h"

#include <windows.h>

// The topic handed to the HTML Help control: the compiled help file named
// like the executable, page html/index.html. False when it cannot be built.
bool BuildHelpTopic(wchar_t* buffer, DWORD size);

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// The HTML Help control, loaded from the system folder at the first use and
// kept for the main window's life (the help's window outlives the call). At
// the end its windows are closed before the library goes.
class HelpControl {
public:
    HelpControl() = default;
    HelpControl(const HelpControl&) = delete;
    HelpControl& operator=(const HelpControl&) = delete;
    ~HelpControl();

    // Null when the system has no help control.
    HtmlHelpFunction Function();

private:
    ScopedLibrary library_;
    HtmlHelpFunction function_ = nullptr;
};

// Opens the help's index page with help; IDS_MSG_HELP_FAILED when the control
// cannot be loaded or the topic built.
void ShowHelp(HWND owner, HelpControl& help);
