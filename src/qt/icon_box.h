#pragma once

#include "platform/controls.h"
#include "qt/icon_registry.h"

namespace plimex::qt {

// Image2 and Image3: hidden boxes that own one registered icon each.
class IconBox : public plimex::IconBox {
  public:
    IconBox(IconRegistry& registry, PictureHandle picture)
        : registry_(registry), picture_(picture) {}
    IconBox(const IconBox&) = delete;
    IconBox& operator=(const IconBox&) = delete;
    ~IconBox() override { registry_.Release(picture_); }

    PictureHandle Picture() const override { return picture_; }
    void SetPicture(PictureHandle icon) override {
        if (icon != picture_) {
            registry_.Release(picture_);
            picture_ = icon;
        }
    }

  private:
    IconRegistry& registry_;
    PictureHandle picture_;
};

}  // namespace plimex::qt
