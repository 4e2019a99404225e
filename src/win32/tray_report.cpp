#include "win32/tray_report.h"

namespace plimex::win32 {

bool IsTrayReport(HWND window, LPARAM point, DWORD messagePos) {
    if (!IsWindowVisible(window)) {
        return true;
    }
    POINT mouse{GET_X_LPARAM(messagePos), GET_Y_LPARAM(messagePos)};
    ScreenToClient(window, &mouse);
    return mouse.x != GET_X_LPARAM(point) || mouse.y != GET_Y_LPARAM(point);
}

}  // namespace plimex::win32

namespace plimex::win32 {

TrayIntent TrayIntentOfReport(LPARAM point) {
    switch (GET_X_LPARAM(point)) {
        case WM_LBUTTONDBLCLK:
            return TrayIntent::OpenWindow;
        case WM_RBUTTONUP:
            return TrayIntent::ShowMenu;
        default:
            return TrayIntent::None;
    }
}

}  // namespace plimex::win32
