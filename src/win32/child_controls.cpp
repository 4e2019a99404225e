#include "win32/child_controls.h"

#include <algorithm>

namespace plimex::win32 {
namespace {

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// The option buttons after the first of a frame continue its group; every
// other control starts a group of its own, so arrow keys stay in the frame.
WindowKind KindOf(const layout::Control& control) {
    using layout::Kind;
    switch (control.kind) {
        case Kind::DriveList:
            return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case Kind::DirList:
            return {WC_LISTBOXW,
                    LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                        WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case Kind::ListBox:
            return {WC_LISTBOXW,
                    LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case Kind::CommandButton:
            return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
        case Kind::Label:
            return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case Kind::CentredTitle:
            return {WC_STATICW, SS_CENTER | SS_NOPREFIX, 0};
        case Kind::Frame:
            return {WC_BUTTONW, BS_GROUPBOX, 0};
        case Kind::OptionButton:
            return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
        case Kind::ImageBox:
            return {WC_STATICW, SS_OWNERDRAW, 0};
        case Kind::PictureBox:
            return {WC_STATICW, SS_BITMAP, WS_EX_CLIENTEDGE};
        case Kind::ShapeOutline:
        case Kind::ShapeFilled:
        case Kind::HiddenIcon:
            break;
    }
    return {nullptr, 0, 0};
}

bool StartsGroup(const layout::Control& control) {
    return control.kind != layout::Kind::OptionButton || control.name == "Option1";
}

}  // namespace

UniqueFont MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

UniqueFont TitleFont(const Twips& scale) {
    constexpr int kPoints = 12;
    constexpr int kPointsPerInch = 72;
    return UniqueFont(CreateFontW(-MulDiv(kPoints, scale.DpiY(), kPointsPerInch), 0, 0, 0, FW_BOLD,
                                  FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                  L"Arial"));
}

int LineHeight(HFONT font) {
    const ScreenDc screen;
    const SelectedObject selected(screen.Get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return metrics.tmHeight;
}

RECT LayoutRect(const layout::Control& control, const Twips& scale, POINT offset) {
    return scale.Rect(offset.x + control.left, offset.y + control.top, control.width,
                      control.height);
}

HWND CreateLayoutControl(HWND parent, const layout::Control& control, int id, const Twips& scale,
                         POINT offset, HFONT font) {
    const WindowKind kind = KindOf(control);
    if (kind.className == nullptr) {
        return nullptr;
    }
    RECT place = LayoutRect(control, scale, offset);
    if (control.kind == layout::Kind::DriveList) {
        // A combo box's height includes its drop-down list.
        place.bottom += scale.Y(control.height) * 8;
    }
    const DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (StartsGroup(control) ? WS_GROUP : 0);
    const std::wstring caption(control.caption);
    HWND child = CreateWindowExW(
        kind.exStyle, kind.className, caption.c_str(), style, place.left, place.top,
        place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

HWND CreateLayoutWindow(const wchar_t* className, const layout::Window& window, const Twips& scale,
                        void* creationData) {
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame = scale.Rect(0, 0, window.clientWidth, window.clientHeight);
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // A window larger than the screen keeps its title bar on it, to be moved.
    const int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    const int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    const std::wstring caption(window.caption);
    return CreateWindowExW(0, className, caption.c_str(), style, left, top, width, height, nullptr,
                           nullptr, GetModuleHandleW(nullptr), creationData);
}

}  // namespace plimex::win32
