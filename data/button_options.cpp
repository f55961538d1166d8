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

// A button's option: the name of its line (with the button's number) and its flag in the record.
struct ButtonOption {
    const char* format;
    std::int32_t ButtonRecord::*flag;
};

const ButtonOption kButtonOptions[] = {
    {"folder_menu_%d", &ButtonRecord::folderMenu},
    {"start_with_porun_%d", &ButtonRecord::startWithLauncher},
};

constexpr char kStartWithWindows[] = "start_with_windows";

OptionName NameOf(const ButtonOption& option, int number)
{
    OptionName name = {};
    std::snprintf(name.text, sizeof name.text, option.format, number);
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

bool AnyOptionOn(const LauncherData& data, const LauncherOptions& options)
{
    for (int number = 0; number < kButtonCount; ++number)
        for (const ButtonOption& option : kButtonOptions)
            if (ButtonOf(data, number).*option.flag)
                return true;
    return options.startWithWindows != 0;
}

// An option's line read as on: its value is 1.
std::int32_t ReadFlag(const KeyValueFile& file, bool read, const char* name)
{
    long value = 0;
    return read && file.ReadNumber(name, &value) && value == 1 ? 1 : 0;
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

void ReadButtonOptions(const wchar_t* path, LauncherData* data, LauncherOptions* options, UserFiles& files)
{
    KeyValueFile file(files);
    const bool read = file.Open(path, false);
    for (int number = 0; number < kButtonCount; ++number)
        for (const ButtonOption& option : kButtonOptions)
            ButtonOf(*data, number).*option.flag = ReadFlag(file, read, NameOf(option, number).text);
    options->startWithWindows = ReadFlag(file, read, kStartWithWindows);
}

bool WriteButtonOptions(const wchar_t* path, const LauncherData& data, const LauncherOptions& options,
                        UserFiles& files)
{
    if (!AnyOptionOn(data, options))
        return files.Remove(path);
    KeyValueFile file(files);
    if (!file.Open(path, true))
        return false;
    for (const ButtonOption& option : kButtonOptions)
        for (int number = 0; number < kButtonCount; ++number)
            if (ButtonOf(data, number).*option.flag)
                file.WriteNumber(NameOf(option, number).text, 1);
    if (options.startWithWindows)
        file.WriteNumber(kStartWithWindows, 1);
    return file.Close();
}
