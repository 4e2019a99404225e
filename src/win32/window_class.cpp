#include "win32/window_class.h"

#include "win32/resource_ids.h"

namespace plimex::win32 {
namespace {

HICON SharedAppIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(PLIMEX_APP_ICON), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_SHARED));
}

}  // namespace

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* className) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = className;
    windowClass.hIcon = SharedAppIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = SharedAppIcon(instance, SM_CXSMICON, SM_CYSMICON);
    RegisterClassExW(&windowClass);
}

LONG_PTR CreationData(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    return GetWindowLongPtrW(window, GWLP_USERDATA);
}

}  // namespace plimex::win32
