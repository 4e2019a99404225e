#pragma once

#include <memory>
#include <type_traits>

#include "win32/windows_api.h"

namespace plimex::win32 {

// Every handle the program creates is owned by one of these, so that no
// early return or replaced picture can leak a GDI or kernel object.
template <auto Free>
struct HandleFree {
    template <typename H>
    void operator()(H handle) const {
        Free(handle);
    }
};

template <typename Handle, auto Free>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleFree<Free>>;

using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteObject>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageList_Destroy>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteDC>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;
using UniqueFind = UniqueHandle<HANDLE, FindClose>;
using UniqueKey = UniqueHandle<HKEY, RegCloseKey>;
// A kernel object such as a mutex: its creation gives null, not
// INVALID_HANDLE_VALUE, for "none".
using UniqueKernelObject = UniqueHandle<HANDLE, CloseHandle>;

// File handles use INVALID_HANDLE_VALUE, not null, for "none".
class UniqueFile {
  public:
    explicit UniqueFile(HANDLE handle) : handle_(handle) {}
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    ~UniqueFile() { Close(); }

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Closes now; true when the system closed it without an error.
    bool Close() {
        if (!Valid()) {
            return true;
        }
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// A find handle from FindFirstFile: INVALID_HANDLE_VALUE when nothing matched.
inline UniqueFind AdoptFind(HANDLE handle) {
    return UniqueFind(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// The screen's device context, for reading its capabilities.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// One WM_PAINT's device context.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context for one scope and puts the old one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(dc_, old_); }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace plimex::win32
