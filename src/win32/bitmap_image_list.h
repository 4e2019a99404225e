#pragma once

#include "platform/controls.h"
#include "win32/handles.h"

namespace plimex::win32 {

// A common-controls image list holding one bitmap resource whose key colour
// is transparent.
class Win32BitmapImageList : public ImageList {
  public:
    static constexpr COLORREF kTransparent = RGB(255, 0, 255);

    Win32BitmapImageList(HINSTANCE instance, int bitmapId, int size);
    PictureHandle ExtractIcon(std::int16_t index) override;

  private:
    UniqueImageList list_;
};

// An icon made from the one image of a bitmap resource.
UniqueIcon IconFromBitmap(HINSTANCE instance, int bitmapId, int size);

}  // namespace plimex::win32
