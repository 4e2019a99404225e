#include "win32/icon_from_bitmap.h"

namespace plimex::win32 {

UniqueIcon IconFromBitmap(HINSTANCE instance, int bitmapId, int size) {
    constexpr COLORREF kTransparent = RGB(255, 0, 255);
    const UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
    const UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, 0)));
    ImageList_AddMasked(list.get(), bitmap.get(), kTransparent);
    return UniqueIcon(ImageList_GetIcon(list.get(), 0, ILD_NORMAL));
}

}  // namespace plimex::win32
