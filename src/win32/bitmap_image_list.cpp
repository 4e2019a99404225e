#include "win32/bitmap_image_list.h"

#include "win32/icon_box.h"

namespace plimex::win32 {

Win32BitmapImageList::Win32BitmapImageList(HINSTANCE instance, int bitmapId, int size)
    : list_(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0)) {
    const UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, 0)));
    ImageList_AddMasked(list_.get(), bitmap.get(), kTransparent);
}

PictureHandle Win32BitmapImageList::ExtractIcon(std::int16_t index) {
    return ToPictureHandle(ImageList_GetIcon(list_.get(), index - 1, ILD_NORMAL));
}

UniqueIcon IconFromBitmap(HINSTANCE instance, int bitmapId, int size) {
    return UniqueIcon(ToIcon(Win32BitmapImageList(instance, bitmapId, size).ExtractIcon(1)));
}

}  // namespace plimex::win32
