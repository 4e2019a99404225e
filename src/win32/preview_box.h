#pragma once

#include "platform/controls.h"
#include "win32/handles.h"

namespace plimex::win32 {

// The preview: an owner-drawn STATIC that stretches its bitmap to its size.
class Win32PreviewBox : public plimex::PreviewBox {
  public:
    explicit Win32PreviewBox(HWND box) : box_(box) {}
    bool ShowPicture(DecodedBitmap picture) override;
    void Draw(const DRAWITEMSTRUCT& item) const;
    HBITMAP Picture() const { return picture_.get(); }

  private:
    HWND box_;
    UniqueBitmap picture_;
};

}  // namespace plimex::win32
