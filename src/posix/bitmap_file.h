#pragma once

#include <string>

#include "core/bitmap_decoder.h"

namespace plimex::posix {

// A bitmap file decoded into the caller's pixel layout. The file is opened
// without blocking and only when it is a regular file; its header is checked
// against the size limit before the rest of the file is read, a band of rows
// at a time, so that the file is never held whole beside its pixels.
// The file is opened by its raw name: no conversion of the name can lose it.
DecodedBitmap ReadBitmapFile(const std::string& path, const PixelFormat& format);
// The same verdict, without keeping the pixels: what fails, or nothing.
std::string CheckBitmapFile(const std::string& path);
// The same file, decoded into the target a band of rows at a time.
std::string DecodeBitmapFileRows(const std::string& path, const PixelFormat& format,
                                 BitmapRowTarget& target);

}  // namespace plimex::posix
