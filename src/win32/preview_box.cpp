#include "win32/preview_box.h"

namespace plimex::win32 {

void PreviewBox::LoadPicture(const std::string& path) {
    // A file that is not a readable bitmap gives no picture: an empty box.
    picture_.reset(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    InvalidateRect(box_, nullptr, FALSE);
}

void PreviewBox::Draw(const DRAWITEMSTRUCT& item) const {
    const RECT& area = item.rcItem;
    BITMAP info{};
    if (!picture_ || GetObjectW(picture_.get(), sizeof info, &info) == 0) {
        FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const UniqueMemoryDc source(CreateCompatibleDC(item.hDC));
    const SelectedObject selected(source.get(), picture_.get());
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
               source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

}  // namespace plimex::win32
