#include "win32/icon_box.h"

namespace plimex::win32 {

void HeldIcon::SetPicture(PictureHandle icon) {
    if (ToIcon(icon) != icon_.get()) {
        icon_.reset(ToIcon(icon));
    }
}

}  // namespace plimex::win32
