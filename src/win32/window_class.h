#pragma once

#include "win32/windows_api.h"

namespace plimex::win32 {

// Registers one of our top-level window classes: the dialog face colour, the
// arrow cursor and the application icon at the system's large and small sizes.
void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* className);

}  // namespace plimex::win32
