#include "data/whole_names.h"

#include "data/field_form.h"
#include "data/store_field.h"
#include "data/names_line.h"
#include "data/user_file.h"
#include "support/path_text.h"

#include <cstring>
#include <cwchar>

namespace {
constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr size_t kBomSize = sizeof kBom - 1;

// The first line: what the file is, for whoever opens it.
const char kCommentLine[] = "; ポルンのデータファイルに入りきらない名前を、まるごと覚えておくファイルなのら。\r\n";

bool SameField(const wchar_t* field, const wchar_t* text)
{
    return std::wcsncmp(field, text, kFieldSize) == 0;
}

// The line [start, end) without its CR.
void ApplyLine(const char* start, const char* end, bool (&seen)[kFieldCount], LauncherData* data, int* changed)
{
    if (end > start && end[-1] == '\r')
        --end;
    if (start == end || *start == ';')
        return;
    NamesLine line;
    if (!ParseNamesLine(start, static_cast<size_t>(end - start), &line))
        return;
    const int index = FieldIndexOf(line.place);
    if (index < 0 || seen[index])
        return;
    seen[index] = true;
    wchar_t* field = RecordField(*data, line.place);
    if (!SameField(field, line.form))
        return;  // changed by an older launcher since: its text wins
    StoreField(field, line.whole);
    ++*changed;
}
// The size of the complete lines at the start of [text, text + size).
DWORD WholeLinesSize(const char* text, DWORD size)
{
    while (size > 0 && text[size - 1] != '\n')
        --size;
    return size;
}
}  // namespace

bool NamesFilePath(const wchar_t* dataFile, wchar_t* buffer, DWORD size)
{
    const wchar_t* dot = dataFile ? ExtensionOf(dataFile) : nullptr;
    if (!dot || !buffer)
        return false;
    const size_t stem = static_cast<size_t>(dot - dataFile);
    static const wchar_t kExtension[] = L".names";
    constexpr size_t kExtensionSize = sizeof kExtension / sizeof kExtension[0];
    if (stem + kExtensionSize > size)
        return false;
    std::wmemcpy(buffer, dataFile, stem);
    std::wmemcpy(buffer + stem, kExtension, kExtensionSize);
    return true;
}

int ApplyNamesText(const char* text, size_t size, LauncherData* data)
{
    if (!text || !data)
        return 0;
    const char* end = text + size;
    const char* start = size >= kBomSize && std::memcmp(text, kBom, kBomSize) == 0 ? text + kBomSize : text;
    bool seen[kFieldCount] = {};
    int changed = 0;
    while (start < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
        if (!lineEnd)
            lineEnd = end;
        ApplyLine(start, lineEnd, seen, data, &changed);
        start = lineEnd + 1;
    }
    return changed;
}

std::string NamesTextFor(const LauncherData& data, const StoredData& stored)
{
    std::string lines;
    for (int index = 0; index < kFieldCount; ++index) {
        const FieldPlace place = FieldPlaceAt(index);
        const wchar_t* whole = RecordField(data, place);
        wchar_t form[kFieldSize];
        FieldFromStored(StoredField(stored, place), form);
        if (!SameField(form, whole))
            lines += FormatNamesLine(place, form, whole);
    }
    return lines.empty() ? lines : kCommentLine + lines;
}

void ReadNamesFile(const wchar_t* path, LauncherData* data, UserFiles& files)
{
    ScopedHeapBlock text;
    DWORD size = 0;
    if (files.Read(path, kNamesFileReadLimit, &text, &size, UserFileOversize::TakeTheStart) != UserFileRead::Done)
        return;
    const char* bytes = static_cast<const char*>(text.Get());
    if (size == kNamesFileReadLimit)
        size = WholeLinesSize(bytes, size);  // the file goes on: its last line here may be cut
    ApplyNamesText(bytes, size, data);
}

bool WriteNamesFile(const wchar_t* path, const LauncherData& data, const StoredData& stored, UserFiles& files)
{
    if (files.Kept(path))
        return true;
    const std::string text = NamesTextFor(data, stored);
    if (text.empty())
        return files.Remove(path);
    const WritePiece piece = {text.data(), static_cast<DWORD>(text.size())};
    return files.Replace(path, &piece, 1);
}
