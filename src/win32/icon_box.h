#pragma once

#include "platform/controls.h"
#include "win32/handles.h"

namespace plimex::win32 {

static_assert(sizeof(HICON) == sizeof(PictureHandle), "a 32-bit program: icon handles are 32-bit");

inline HICON ToIcon(PictureHandle picture) {
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(picture));
}

inline PictureHandle ToPictureHandle(HICON icon) {
    return static_cast<PictureHandle>(reinterpret_cast<std::uintptr_t>(icon));
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
