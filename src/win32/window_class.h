#pragma once

#include "win32/windows_api.h"

namespace plimex::win32 {

// Registers one of our top-level window classes: the dialog face colour, the
// arrow cursor and the application icon at the system's large and small sizes.
void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* className);

// For a window procedure: the creation data given to CreateWindowEx, kept in
// the window's user data from WM_NCCREATE on; zero before that message.
LONG_PTR CreationData(HWND window, UINT message, LPARAM lParam);

}  // namespace plimex::win32
