#include "support/text_buffer.h"

#include "support/system_helper.h"

#include <windows.h>

#include <cwchar>

TextBuffer::TextBuffer(const TextBuffer& other)
{
    Assign(other.data_);
}

TextBuffer::~TextBuffer()
{
    Release();
}

TextBuffer& TextBuffer::operator=(const TextBuffer& other)
{
    if (this != &other)
        Assign(other.data_);
    return *this;
}

TextBuffer& TextBuffer::operator=(const wchar_t* text)
{
    Assign(text);
    return *this;
}

wchar_t* TextBuffer::GetText() const
{
    return data_;
}

bool TextBuffer::Owns(const wchar_t* text) const
{
    return data_ && text >= data_ && text < data_ + capacity_;
}

bool TextBuffer::Assign(const wchar_t* text)
{
    if (Owns(text)) {
        // A text inside this block would be wiped by the clear below: take a
        // copy first.
        TextBuffer copy;
        if (!copy.Assign(text)) {
            Clear();
            return false;
        }
        return Assign(copy.data_);
    }
    Clear();
    if (!text)
        return false;
    const int n = lstrlenW(text);
    if (static_cast<std::uint32_t>(n) + 1 > capacity_) {
        Release();
        data_ = static_cast<wchar_t*>(SystemHelper::Alloc((static_cast<SIZE_T>(n) + 1) * sizeof(wchar_t)));
        if (data_)
            capacity_ = static_cast<std::uint32_t>(n) + 1;
    }
    if (!data_)
        return false;
    std::wmemcpy(data_, text, static_cast<size_t>(n));
    length_ = n;
    return true;
}

TextBuffer& TextBuffer::Append(const wchar_t* text)
{
    if (!text)
        return *this;
    if (Owns(text)) {
        TextBuffer copy;
        if (copy.Assign(text))
            Append(copy.data_);
        return *this;
    }
    const int n = lstrlenW(text);
    const std::uint32_t need = static_cast<std::uint32_t>(length_) + static_cast<std::uint32_t>(n) + 1;
    if (need <= capacity_) {
        lstrcatW(data_, text);
        length_ += n;
        return *this;
    }
    wchar_t* grown = static_cast<wchar_t*>(SystemHelper::Alloc(need * sizeof(wchar_t)));
    if (!grown)
        return *this;
    if (data_)
        lstrcpyW(grown, data_);
    lstrcatW(grown, text);
    SystemHelper::Free(data_);
    data_ = grown;
    length_ = lstrlenW(grown);
    capacity_ = static_cast<std::uint32_t>(length_) + 1;
    return *this;
}

void TextBuffer::Clear()
{
    if (data_)
        std::wmemset(data_, 0, capacity_);
    length_ = 0;
}

void TextBuffer::Release()
{
    if (data_)
        SystemHelper::Free(data_);
    data_ = nullptr;
    capacity_ = 0;
    length_ = 0;
}

int TextBuffer::Find(wchar_t c) const
{
    if (!data_)
        return -1;
    const wchar_t* found = std::wcschr(data_, c);
    return found && *found ? static_cast<int>(found - data_) : -1;
}

bool TextBuffer::IsValidIndex(int index) const
{
    return data_ && index >= 0 && index <= length_;
}

bool TextBuffer::SetAt(int index, wchar_t character)
{
    if (!IsValidIndex(index))
        return false;
    if (index == length_ && character != 0)
        return false;
    data_[index] = character;
    length_ = lstrlenW(data_);
    return true;
}
