#include "support/text_buffer.h"

#include "support/system_helper.h"

#include <windows.h>

#include <cstring>

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

TextBuffer& TextBuffer::operator=(const char* text)
{
    Assign(text);
    return *this;
}

char* TextBuffer::GetText() const
{
    return data_;
}

bool TextBuffer::Owns(const char* text) const
{
    return data_ && text >= data_ && text < data_ + capacity_;
}

bool TextBuffer::Assign(const char* text)
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
    const int n = lstrlenA(text);
    if (static_cast<std::uint32_t>(n) + 1 > capacity_) {
        Release();
        data_ = static_cast<char*>(g_systemHelper.Alloc(static_cast<SIZE_T>(n) + 1));
        if (data_)
            capacity_ = static_cast<std::uint32_t>(n) + 1;
    }
    if (!data_)
        return false;
    std::memcpy(data_, text, static_cast<size_t>(n));
    length_ = n;
    return true;
}

TextBuffer& TextBuffer::Append(const char* text)
{
    if (!text)
        return *this;
    if (Owns(text)) {
        TextBuffer copy;
        if (copy.Assign(text))
            Append(copy.data_);
        return *this;
    }
    const int n = lstrlenA(text);
    const std::uint32_t need = static_cast<std::uint32_t>(length_) + static_cast<std::uint32_t>(n) + 1;
    if (need <= capacity_) {
        lstrcatA(data_, text);
        length_ += n;
        return *this;
    }
    char* grown = static_cast<char*>(g_systemHelper.Alloc(need));
    if (!grown)
        return *this;
    if (data_)
        lstrcpyA(grown, data_);
    lstrcatA(grown, text);
    g_systemHelper.Free(data_);
    data_ = grown;
    length_ = lstrlenA(grown);
    capacity_ = static_cast<std::uint32_t>(length_) + 1;
    return *this;
}

void TextBuffer::Clear()
{
    if (data_)
        std::memset(data_, 0, capacity_);
    length_ = 0;
}

void TextBuffer::Release()
{
    if (data_)
        g_systemHelper.Free(data_);
    data_ = nullptr;
    capacity_ = 0;
    length_ = 0;
}

int TextBuffer::Find(char c) const
{
    if (!data_)
        return -1;
    const char* p = data_;
    for (;;) {
        if (*p == c)
            return static_cast<int>(p - data_);
        const char* next = CharNextA(p);
        if (next == p || *next == 0)
            return -1;
        p = next;
    }
}

bool TextBuffer::IsValidIndex(int index) const
{
    return data_ && index >= 0 && index <= length_;
}

bool TextBuffer::SetAt(int index, char byte)
{
    if (!IsValidIndex(index))
        return false;
    if (index == length_ && byte != 0)
        return false;
    data_[index] = byte;
    length_ = lstrlenA(data_);
    return true;
}
