#include "data/legacy_import.h"

#include "support/messages.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"

namespace {
constexpr char kIniName[] = "porun.ini";

void ReadText(const char* section, const char* key, char* field, const char* ini)
{
    GetPrivateProfileStringA(section, key, "", field, kTextFieldSize, ini);
}

}  // namespace

bool ImportLegacySettings(HWND owner, LauncherData* data, AppSettings* settings)
{
    char ini[MAX_PATH];
    if (!ProgramFolderFile(kIniName, ini, sizeof ini)) {
        ShowMessageId(owner, IDS_MSG_LOAD_FAILED, MB_OK | MB_ICONERROR);
        return false;
    }

    WIN32_FIND_DATAA found;
    if (!ScopedFind(FindFirstFileA(ini, &found))) {
        settings->collapseOnLaunch = 1;
        settings->alwaysOnTop = 0;
        settings->groupCount = 3;
        settings->startWithLastGroup = 0;
        return false;
    }

    char section[16];
    for (int g = 0; g < kGroupCount; ++g) {
        GroupRecord& group = data->groups[g].group;
        wsprintfA(section, "GROUP%2d", g);
        group.iconIndex = static_cast<int>(GetPrivateProfileIntA(section, "ICON", 0, ini));
        ReadText(section, "NAME", group.name, ini);
        ReadText(section, "FILE", group.iconFile, ini);
        for (int b = 0; b < kButtonsPerGroup; ++b) {
            ButtonRecord& button = data->groups[g].buttons[b];
            wsprintfA(section, "BUTTON%2d", g * kButtonsPerGroup + b);
            button.iconIndex = static_cast<int>(GetPrivateProfileIntA(section, "ICON", 0, ini));
            ReadText(section, "NAME", button.title, ini);
            ReadText(section, "FILE", button.file, ini);
            ReadText(section, "DIR", button.workDir, ini);
            ReadText(section, "PARAM", button.params, ini);
        }
    }
    settings->collapseOnLaunch = static_cast<int>(GetPrivateProfileIntA("SETTING", "WINCHANGE", 1, ini));
    settings->alwaysOnTop = static_cast<int>(GetPrivateProfileIntA("SETTING", "WINTOP", 1, ini));
    settings->groupCount = ClampGroupCount(static_cast<int>(GetPrivateProfileIntA("SETTING", "GROUPMAX", 3, ini)));
    settings->windowX = static_cast<int>(GetPrivateProfileIntA("Windows", "WINX", 30, ini));
    settings->windowY = static_cast<int>(GetPrivateProfileIntA("Windows", "WINY", 30, ini));
    return true;
}
