#include "qt/bitmap_image_list.h"

#include "qt/pictures.h"

namespace plimex::qt {

PictureHandle QtBitmapImageList::ExtractIcon(std::int16_t index) {
    if (index != 1) {
        return 0;
    }
    return registry_.Add(IconFromKeyedBitmap(pictures::kImageList1));
}

}  // namespace plimex::qt
