#include "win32/preview_box.h"

namespace plimex::win32 {
namespace {

// The picture stretched once to the box's size: the decoded pixels are freed
// at once, and a repaint only copies the small bitmap.
UniqueBitmap StretchedToBox(const DecodedBitmap& picture, HWND box) {
    RECT area{};
    if (!picture.failure.empty() || !GetClientRect(box, &area) || area.right <= 0 ||
        area.bottom <= 0) {
        return UniqueBitmap();
    }
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = picture.width;
    format.bmiHeader.biHeight = -picture.height;  // the top row first, as decoded
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    const ScreenDc screen;
    UniqueBitmap stretched(CreateCompatibleBitmap(screen.Get(), area.right, area.bottom));
    const UniqueMemoryDc target(CreateCompatibleDC(screen.Get()));
    const SelectedObject to(target.get(), stretched.get());
    SetStretchBltMode(target.get(), HALFTONE);
    SetBrushOrgEx(target.get(), 0, 0, nullptr);
    StretchDIBits(target.get(), 0, 0, area.right, area.bottom, 0, 0, picture.width, picture.height,
                  picture.pixels.data(), &format, DIB_RGB_COLORS, SRCCOPY);
    return stretched;
}

}  // namespace

bool Win32PreviewBox::ShowPicture(DecodedBitmap picture) {
    // The shown picture goes first, so that at most one full-size one exists.
    picture_.reset();
    picture_ = StretchedToBox(picture, box_);
    InvalidateRect(box_, nullptr, FALSE);
    return picture_ != nullptr;
}

void Win32PreviewBox::Draw(const DRAWITEMSTRUCT& item) const {
    const RECT& area = item.rcItem;
    if (!picture_) {
        FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const UniqueMemoryDc source(CreateCompatibleDC(item.hDC));
    const SelectedObject selected(source.get(), picture_.get());
    BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
           source.get(), 0, 0, SRCCOPY);
}

}  // namespace plimex::win32
