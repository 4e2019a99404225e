#pragma once

#include "platform/controls.h"
#include "win32/handle_width.h"
#include "win32/handles.h"

namespace plimex::win32 {

inline HICON ToIcon(PictureHandle picture) {
    return WidenHandle<HICON>(picture);
}

inline PictureHandle ToPictureHandle(HICON icon) {
    return NarrowHandle(icon);
}

// A hidden picture holder: it owns the icon it shows to the tray.
class HeldIcon : public IconBox {
  public:
    explicit HeldIcon(UniqueIcon icon) : icon_(std::move(icon)) {}
    PictureHandle Picture() const override { return ToPictureHandle(icon_.get()); }
    void SetPicture(PictureHandle icon) override;

  private:
    UniqueIcon icon_;
};

}  // namespace plimex::win32
