#include "win32/shape_box.h"

#include <algorithm>

#include "win32/handles.h"

namespace plimex::win32 {

Win32ShapeBox::Win32ShapeBox(HWND window, const Twips& scale, RECT bar, int leftTwips,
                             COLORREF colour)
    : window_(window), scale_(scale), bar_(bar), leftTwips_(leftTwips), colour_(colour) {}

void Win32ShapeBox::SetWidth(float twips) {
    const LONG right = std::max<LONG>(bar_.left, scale_.X(leftTwips_ + static_cast<double>(twips)));
    if (right == bar_.right) {
        return;
    }
    const RECT strip{std::min(right, bar_.right), bar_.top, std::max(right, bar_.right),
                     bar_.bottom};
    bar_.right = right;
    if (IsWindowVisible(window_)) {
        InvalidateRect(window_, &strip, TRUE);
    }
}

void Win32ShapeBox::Paint(HDC dc) const {
    SetDCBrushColor(dc, colour_);
    FillRect(dc, &bar_, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void PaintOutline(HDC dc, const RECT& outline) {
    const SelectedObject pen(dc, GetStockObject(DC_PEN));
    const SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
    SetDCPenColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    Rectangle(dc, outline.left, outline.top, outline.right, outline.bottom);
}

}  // namespace plimex::win32
