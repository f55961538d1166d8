#include "data/stored_image.h"

#include "data/field_form.h"
#include "data/field_place.h"
#include "support/code_page_932.h"

#include <cstring>
#include <cwchar>

namespace {
// A field without its terminator is cut before the character that would
// leave no room for it.
void TerminateField(char* field)
{
    size_t length = strnlen(field, kStoredFieldSize - 1);
    if (length == kStoredFieldSize - 1)
        length = WholeCharactersLength(field, length);
    std::memset(field + length, 0, kStoredFieldSize - length);
}

// The older layout: each button record without its iconFile.
void TakeOldLayout(const char* bytes, StoredData* stored, AppSettings* settings)
{
    std::memset(stored, 0, sizeof *stored);
    for (StoredBlock& block : stored->groups) {
        std::memcpy(&block.group, bytes, sizeof block.group);
        bytes += sizeof block.group;
        for (StoredButton& button : block.buttons) {
            std::memcpy(&button, bytes, kOldButtonSize);
            bytes += kOldButtonSize;
            std::memcpy(button.iconFile, button.file, kStoredFieldSize);
        }
    }
    std::memcpy(settings, bytes, sizeof *settings);
}

void CopyIconIndexes(const StoredData& stored, LauncherData* data)
{
    for (int g = 0; g < kGroupCount; ++g) {
        data->groups[g].group.iconIndex = stored.groups[g].group.iconIndex;
        for (int b = 0; b < kButtonsPerGroup; ++b)
            data->groups[g].buttons[b].iconIndex = stored.groups[g].buttons[b].iconIndex;
    }
}

void CopyIconIndexes(const LauncherData& data, StoredData* stored)
{
    for (int g = 0; g < kGroupCount; ++g) {
        stored->groups[g].group.iconIndex = data.groups[g].group.iconIndex;
        for (int b = 0; b < kButtonsPerGroup; ++b)
            stored->groups[g].buttons[b].iconIndex = data.groups[g].buttons[b].iconIndex;
    }
}
}  // namespace

bool TakeStoredImage(const char* bytes, DWORD size, StoredData* stored, AppSettings* settings)
{
    if (size == kDataFileSize) {
        std::memcpy(stored, bytes, sizeof *stored);
        std::memcpy(settings, bytes + sizeof *stored, sizeof *settings);
        return true;
    }
    if (size == kOldDataFileSize) {
        TakeOldLayout(bytes, stored, settings);
        return true;
    }
    return false;
}

void TerminateStoredFields(StoredData* stored)
{
    for (int index = 0; index < kFieldCount; ++index)
        TerminateField(StoredField(*stored, FieldPlaceAt(index)));
}

void DecodeStoredData(const StoredData& stored, LauncherData* data)
{
    for (int index = 0; index < kFieldCount; ++index) {
        const FieldPlace place = FieldPlaceAt(index);
        FieldFromStored(StoredField(stored, place), RecordField(*data, place));
    }
    CopyIconIndexes(stored, data);
}

void EncodeStoredData(const LauncherData& data, const LauncherData& loaded, StoredData* stored)
{
    for (int index = 0; index < kFieldCount; ++index) {
        const FieldPlace place = FieldPlaceAt(index);
        const wchar_t* text = RecordField(data, place);
        if (std::wcsncmp(text, RecordField(loaded, place), kFieldSize) != 0)
            StoredFormOf(text, IsPathField(place.kind), StoredField(*stored, place));
    }
    CopyIconIndexes(data, stored);
}
