#pragma once

#include "platform/tray_icon.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The shell reports the tray icon's mouse actions as WM_MOUSEMOVE. A real
// move of the mouse over the window is told apart by where the mouse was
// when the message was made: over the window, exactly at the point the
// message carries. Without this, a move over a window wider than 515 pixels
// (a large-DPI screen) would act as a tray double click.
bool IsTrayReport(HWND window, LPARAM point, DWORD messagePos);

// A report carries the mouse message where a move carries its X in pixels:
// a left double click (515) opens the window, the right button released
// (517) the menu, and every other message asks for nothing.
TrayIntent TrayIntentOfReport(LPARAM point);

}  // namespace plimex::win32
