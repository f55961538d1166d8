#include "data/field_place.h"

namespace {
constexpr FieldKind kGroupKinds[kGroupFieldCount] = {FieldKind::Name, FieldKind::Icon};
constexpr FieldKind kButtonKinds[kButtonFieldCount] = {FieldKind::Title, FieldKind::File, FieldKind::Folder,
                                                       FieldKind::Options, FieldKind::Icon};

int KindIndex(const FieldKind* kinds, int count, FieldKind kind)
{
    for (int i = 0; i < count; ++i)
        if (kinds[i] == kind)
            return i;
    return -1;
}

template <class Group, class Button>
auto* FieldOf(Group& group, Button* button, FieldKind kind)
{
    if (!button)
        return kind == FieldKind::Name ? group.name : group.iconFile;
    switch (kind) {
    case FieldKind::Title: return button->title;
    case FieldKind::File: return button->file;
    case FieldKind::Folder: return button->workDir;
    case FieldKind::Options: return button->params;
    default: return button->iconFile;
    }
}

// The field at place in the groups of data (records or the stored image).
template <class Data>
auto* FieldAt(Data& data, const FieldPlace& place)
{
    auto& block = data.groups[place.group];
    return FieldOf(block.group, place.button < 0 ? nullptr : &block.buttons[place.button], place.kind);
}
}  // namespace

FieldPlace FieldPlaceAt(int index)
{
    FieldPlace place;
    place.group = index / kFieldsPerGroup;
    const int within = index % kFieldsPerGroup;
    if (within < kGroupFieldCount) {
        place.kind = kGroupKinds[within];
        return place;
    }
    place.button = (within - kGroupFieldCount) / kButtonFieldCount;
    place.kind = kButtonKinds[(within - kGroupFieldCount) % kButtonFieldCount];
    return place;
}

int FieldIndexOf(const FieldPlace& place)
{
    if (place.group < 0 || place.group >= kGroupCount || place.button < -1 || place.button >= kButtonsPerGroup)
        return -1;
    const int base = place.group * kFieldsPerGroup;
    if (place.button < 0) {
        const int kind = KindIndex(kGroupKinds, kGroupFieldCount, place.kind);
        return kind < 0 ? -1 : base + kind;
    }
    const int kind = KindIndex(kButtonKinds, kButtonFieldCount, place.kind);
    return kind < 0 ? -1 : base + kGroupFieldCount + place.button * kButtonFieldCount + kind;
}

bool IsPathField(FieldKind kind)
{
    return kind == FieldKind::File || kind == FieldKind::Folder || kind == FieldKind::Icon;
}

wchar_t* RecordField(LauncherData& data, const FieldPlace& place)
{
    return FieldAt(data, place);
}

const wchar_t* RecordField(const LauncherData& data, const FieldPlace& place)
{
    return FieldAt(data, place);
}

char* StoredField(StoredData& data, const FieldPlace& place)
{
    return FieldAt(data, place);
}

const char* StoredField(const StoredData& data, const FieldPlace& place)
{
    return FieldAt(data, place);
}
