#pragma once
// Owners for the handles the program opens: one owner each, never copied;
// each frees its handle when it goes.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shtypes.h>

template <typename Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return Traits::Valid(handle_); }
    // Hands the handle over to the caller, who frees it from now on.
    Handle Release()
    {
        Handle h = handle_;
        handle_ = Traits::Invalid();
        return h;
    }
    void Reset(Handle handle = Traits::Invalid())
    {
        if (Traits::Valid(handle_))
            Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

// Kernel handles: files from CreateFile, the instance mutex.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
using ScopedFile = ScopedHandle<KernelHandleTraits>;
using ScopedEvent = ScopedHandle<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { FindClose(h); }
};
using ScopedFind = ScopedHandle<FindHandleTraits>;

// A folder's change notification (FindFirstChangeNotificationW).
struct ChangeWatchTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { FindCloseChangeNotification(h); }
};
using ScopedChangeWatch = ScopedHandle<ChangeWatchTraits>;

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
using ScopedIcon = ScopedHandle<IconTraits>;

// The shell's item ID lists (SHParseDisplayName, ILClone).
struct IdListTraits {
    using Handle = ITEMIDLIST*;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { CoTaskMemFree(h); }
};
using ScopedIdList = ScopedHandle<IdListTraits>;

// Brushes, bitmaps, fonts.
template <typename T>
struct GdiTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
template <typename T>
using ScopedGdi = ScopedHandle<GdiTraits<T>>;

// Device contexts made with CreateCompatibleDC.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
using ScopedMemoryDC = ScopedHandle<MemoryDcTraits>;

// Blocks of the process heap (HeapAlloc, SystemHelper::Alloc).
struct HeapBlockTraits {
    using Handle = void*;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { HeapFree(GetProcessHeap(), 0, h); }
};
using ScopedHeapBlock = ScopedHandle<HeapBlockTraits>;

// One T (a plain record) in a zero-filled block of the process heap.
template <typename T>
class HeapObject {
public:
    // A new zero-filled T in place of the one held; false when memory is short.
    bool Allocate()
    {
        block_.Reset(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(T)));
        return Get() != nullptr;
    }
    void Free() { block_.Reset(); }
    T* Get() const { return static_cast<T*>(block_.Get()); }
    T* operator->() const { return Get(); }
    T& operator*() const { return *Get(); }
    explicit operator bool() const { return Get() != nullptr; }

private:
    ScopedHeapBlock block_;
};

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};
using ScopedLibrary = ScopedHandle<LibraryTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
using ScopedMenu = ScopedHandle<MenuTraits>;

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ImageList_Destroy(h); }
};
using ScopedImageList = ScopedHandle<ImageListTraits>;

// The device context of a window (null: the screen), given back to that window.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect()
    {
        if (old_)
            SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
