#include "app/help.h"

#include "support/messages.h"
#include "support/program_files.h"

#include <htmlhelp.h>
#include <cstring>

namespace {
constexpr DWORD kTopicSize = 520;
constexpr char kIndexPage[] = "::/html/index.html";
}

bool BuildHelpTopic(char* buffer, DWORD size)
{
    if (!ProgramPathWithExtension("chm", buffer, size))
        return false;
    const size_t length = std::strlen(buffer);
    if (length + sizeof kIndexPage > size)
        return false;
    std::memcpy(buffer + length, kIndexPage, sizeof kIndexPage);
    return true;
}

void ShowHelp(HWND owner)
{
    char topic[kTopicSize];
    if (!BuildHelpTopic(topic, sizeof topic)) {
        ShowMessageId(owner, IDS_MSG_HELP_FAILED, MB_ICONEXCLAMATION);
        return;
    }
    // The help control reports a missing file itself.
    HtmlHelpA(owner, topic, HH_DISPLAY_TOPIC, 0);
}
