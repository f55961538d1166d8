#include "data/button_options.h"

#include "data/button_place.h"
#include "data/key_value_file.h"
#include "support/path_text.h"

#include <cstdio>
#include <cwchar>

namespace {
struct OptionName {
    char text[32];
};

OptionName FolderMenuName(int number)
{
    OptionName name = {};
    std::snprintf(name.text, sizeof name.text, "folder_menu_%d", number);
    return name;
}

const ButtonRecord& ButtonOf(const LauncherData& data, int number)
{
    const ButtonPlace place = ButtonPlace::FromNumber(number);
    return data.groups[place.group].buttons[place.button];
}

ButtonRecord& ButtonOf(LauncherData& data, int number)
{
    return const_cast<ButtonRecord&>(ButtonOf(static_cast<const LauncherData&>(data), number));
}

bool AnyOptionOn(const LauncherData& data)
{
    for (int number = 0; number < kButtonCount; ++number)
        if (ButtonOf(data, number).folderMenu)
            return true;
    return false;
}
}  // namespace

bool OptionsFilePath(const wchar_t* dataFile, wchar_t* buffer, DWORD size)
{
    const wchar_t* extension = ExtensionOf(dataFile);
    const size_t stem = extension ? static_cast<size_t>(extension - dataFile) : std::wcslen(dataFile);
    if (stem + 9 > size)
        return false;
    lstrcpynW(buffer, dataFile, static_cast<int>(stem + 1));
    lstrcatW(buffer, L".options");
    return true;
}

void ReadButtonOptions(const wchar_t* path, LauncherData* data)
{
    KeyValueFile file;
    const bool read = file.Open(path, false);
    for (int number = 0; number < kButtonCount; ++number) {
        long value = 0;
        const bool found = read && file.ReadNumber(FolderMenuName(number).text, &value);
        ButtonOf(*data, number).folderMenu = found && value == 1 ? 1 : 0;
    }
}

bool WriteButtonOptions(const wchar_t* path, const LauncherData& data)
{
    if (!AnyOptionOn(data))
        return DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND;
    KeyValueFile file;
    if (!file.Open(path, true))
        return false;
    for (int number = 0; number < kButtonCount; ++number)
        if (ButtonOf(data, number).folderMenu)
            file.WriteNumber(FolderMenuName(number).text, 1);
    return file.Close();
}
