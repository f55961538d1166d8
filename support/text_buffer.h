#pragma once
// The program's own growable, NUL-terminated UTF-16 string. Blocks come from SystemHelper::Alloc, zero-filled,
// and are always sized exactly for the text plus its terminator.
#include <cstdint>

class TextBuffer {
public:
    TextBuffer() = default;
    TextBuffer(const TextBuffer& other);
    virtual ~TextBuffer();
    // Copies the text into this buffer's own block.
    TextBuffer& operator=(const TextBuffer& other);
    TextBuffer& operator=(const wchar_t* text);

    // The first character, or null when no block is allocated.
    virtual wchar_t* GetText() const;

    // Replaces the text. The old text is gone even when this fails; false for
    // a null text (block kept) or when no block could be had. A block that is
    // large enough is reused.
    bool Assign(const wchar_t* text);
    // Adds text at the end; null changes nothing, and so does a failed growth.
    TextBuffer& Append(const wchar_t* text);
    // Zeroes the whole block (kept); length 0.
    void Clear();
    // Frees the block.
    void Release();

    // Index of the first character equal to c, or -1.
    int Find(wchar_t c) const;
    // Stores character at index and takes the length of the resulting text (so 0
    // cuts the text there). False outside 0..length, and for a non-zero character
    // at the terminator's index, which would leave the text unterminated.
    bool SetAt(int index, wchar_t character);

    int GetLength() const { return length_; }

private:
    bool Owns(const wchar_t* text) const;
    // A block exists and 0 <= index <= length.
    bool IsValidIndex(int index) const;

    std::uint32_t capacity_ = 0;
    std::int32_t length_ = 0;
    wchar_t* data_ = nullptr;
};
