#include "data/launcher.h"

#include <new>

std::unique_ptr<Launcher> Launcher::Create()
{
    std::unique_ptr<Launcher> launcher(new (std::nothrow) Launcher);
    if (launcher)
        launcher->files_.TellChangesTo(&launcher->generations_);
    return launcher;
}

Launcher::~Launcher()
{
    files_.TellChangesTo(nullptr);
}

bool Launcher::SelectGroup(int group)
{
    if (group < 0 || group >= kGroupCount)
        return false;
    currentGroup_ = group;
    return true;
}

ButtonRecord* Launcher::CurrentButton(int index)
{
    return ButtonAt(currentGroup_, index);
}

const ButtonRecord* Launcher::CurrentButton(int index) const
{
    return ButtonAt(currentGroup_, index);
}

ButtonRecord* Launcher::ButtonAt(int group, int index)
{
    return const_cast<ButtonRecord*>(static_cast<const Launcher*>(this)->ButtonAt(group, index));
}

const ButtonRecord* Launcher::ButtonAt(int group, int index) const
{
    if (group < 0 || group >= kGroupCount || !IsValidButtonIndex(index))
        return nullptr;
    return &data_.groups[group].buttons[index];
}
