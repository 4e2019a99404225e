#pragma once

#include "win32/handles.h"

namespace plimex::win32 {

// An icon made from the one image of a bitmap resource, through a
// common-controls image list: magenta (255, 0, 255) is transparent.
UniqueIcon IconFromBitmap(HINSTANCE instance, int bitmapId, int size);

}  // namespace plimex::win32
