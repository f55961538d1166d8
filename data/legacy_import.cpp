#include "data/legacy_import.h"

#include "data/button_place.h"
#include "data/ini_text.h"
#include "data/store_field.h"
#include "data/user_file.h"
#include "support/code_page_932.h"
#include "support/program_files.h"
#include "support/scoped_handle.h"

#include <cstdio>
#include <string>

namespace {
constexpr wchar_t kIniName[] = L"porun.ini";
constexpr DWORD kIniMaxSize = 1024 * 1024;  // the older generation's file is a few hundred lines

// The ini file's bytes, written by the older generation in code page 932.
struct IniText {
    const char* text;
    DWORD size;
};

void ReadText(const IniText& ini, const char* section, const char* key, wchar_t* field)
{
    std::string value;
    FindIniValue(ini.text, ini.size, section, key, &value);
    StoreField(field, FromCodePage932(value.data(), value.size()).c_str());
}

int ReadNumber(const IniText& ini, const char* section, const char* key, int fallback)
{
    return FindIniNumber(ini.text, ini.size, section, key, fallback);
}

void ImportGroup(const IniText& ini, int g, GroupBlock* block)
{
    char section[16];
    std::snprintf(section, sizeof section, "GROUP%2d", g);
    block->group.iconIndex = ReadNumber(ini, section, "ICON", 0);
    ReadText(ini, section, "NAME", block->group.name);
    ReadText(ini, section, "FILE", block->group.iconFile);
    for (int b = 0; b < kButtonsPerGroup; ++b) {
        ButtonRecord& button = block->buttons[b];
        std::snprintf(section, sizeof section, "BUTTON%2d", ButtonPlace{g, b}.Number());
        button.iconIndex = ReadNumber(ini, section, "ICON", 0);
        ReadText(ini, section, "NAME", button.title);
        ReadText(ini, section, "FILE", button.file);
        ReadText(ini, section, "DIR", button.workDir);
        ReadText(ini, section, "PARAM", button.params);
    }
}

void ImportSettings(const IniText& ini, AppSettings* settings)
{
    settings->collapseOnLaunch = ReadNumber(ini, "SETTING", "WINCHANGE", 1);
    settings->alwaysOnTop = ReadNumber(ini, "SETTING", "WINTOP", 1);
    settings->groupCount = ClampGroupCount(ReadNumber(ini, "SETTING", "GROUPMAX", 3));
    settings->windowX = ReadNumber(ini, "Windows", "WINX", 30);
    settings->windowY = ReadNumber(ini, "Windows", "WINY", 30);
}

void SetFirstStartDefaults(AppSettings* settings)
{
    settings->collapseOnLaunch = 1;
    settings->alwaysOnTop = 0;
    settings->groupCount = 3;
    settings->startWithLastGroup = 0;
}
}  // namespace

LegacyImport ImportLegacySettings(LauncherData* data, AppSettings* settings, UserFiles& files)
{
    wchar_t path[MAX_PATH];
    if (!ProgramFolderFile(kIniName, path, MAX_PATH))
        return LegacyImport::NoPath;
    ScopedHeapBlock bytes;
    DWORD size = 0;
    const UserFileRead read = files.Read(path, kIniMaxSize, &bytes, &size);
    if (read == UserFileRead::Missing) {
        SetFirstStartDefaults(settings);
        return LegacyImport::NoFile;
    }
    // One that is there but cannot be read gives every value its default.
    const IniText ini = {read == UserFileRead::Done ? static_cast<const char*>(bytes.Get()) : "", size};
    for (int g = 0; g < kGroupCount; ++g)
        ImportGroup(ini, g, &data->groups[g]);
    ImportSettings(ini, settings);
    return LegacyImport::Imported;
}
