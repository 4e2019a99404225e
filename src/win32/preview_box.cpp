#include "win32/preview_box.h"

namespace plimex::win32 {
namespace {

// The picture stretched once to the box's size: the full-size bitmap is freed
// at once, and a repaint only copies the small one.
UniqueBitmap StretchedToBox(HBITMAP picture, HWND box) {
    RECT area{};
    BITMAP info{};
    if (picture == nullptr || GetObjectW(picture, sizeof info, &info) == 0 ||
        !GetClientRect(box, &area) || area.right <= 0 || area.bottom <= 0) {
        return UniqueBitmap();
    }
    const ScreenDc screen;
    UniqueBitmap stretched(CreateCompatibleBitmap(screen.Get(), area.right, area.bottom));
    const UniqueMemoryDc source(CreateCompatibleDC(screen.Get()));
    const UniqueMemoryDc target(CreateCompatibleDC(screen.Get()));
    const SelectedObject from(source.get(), picture);
    const SelectedObject to(target.get(), stretched.get());
    SetStretchBltMode(target.get(), HALFTONE);
    SetBrushOrgEx(target.get(), 0, 0, nullptr);
    StretchBlt(target.get(), 0, 0, area.right, area.bottom, source.get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    return stretched;
}

}  // namespace

void PreviewBox::LoadPicture(const std::string& path) {
    // The shown picture goes first, so that at most one full-size one exists.
    picture_.reset();
    // A file that is not a readable bitmap gives no picture: an empty box.
    const UniqueBitmap loaded(static_cast<HBITMAP>(LoadImageA(
        nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    picture_ = StretchedToBox(loaded.get(), box_);
    InvalidateRect(box_, nullptr, FALSE);
}

void PreviewBox::Draw(const DRAWITEMSTRUCT& item) const {
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
