#pragma once

#include "platform/controls.h"
#include "qt/icon_registry.h"

namespace plimex::qt {

// ImageList1: its one image becomes a fresh icon on every extraction.
class QtBitmapImageList : public ImageList {
  public:
    explicit QtBitmapImageList(IconRegistry& registry) : registry_(registry) {}
    // 0 for an index that holds no image.
    PictureHandle ExtractIcon(std::int16_t index) override;

  private:
    IconRegistry& registry_;
};

}  // namespace plimex::qt
