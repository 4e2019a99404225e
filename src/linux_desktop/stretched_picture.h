#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/bitmap_decoder.h"

namespace plimex::linux_desktop {

// A rectangle of the screen, in pixels: one monitor.
struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenArea&) const = default;
};

// Where a stretched picture goes, a band of rows at a time, in any order.
class PictureBands {
  public:
    virtual ~PictureBands() = default;
    // `rows` rows from row `top` of the area, top row first, each as wide as
    // the area. The receiver may change them in place; they are gone once it
    // returns.
    virtual void Put(int top, int rows, std::span<std::uint32_t> pixels) = 0;
};

// A picture file stretched to width x height, as the program's preview shows
// it: averaged over the pixels each screen pixel covers when it shrinks,
// mixed from the nearest four when it grows, the same pixels when it keeps
// its size. The layout must keep each colour in a byte of its own, as a
// 24-bit screen's does: stretching mixes the bytes one by one. The file is
// decoded a few rows at a time and the area is handed over through one
// buffer of about a megabyte, whatever the sizes: nothing the size of the
// picture or the screen is ever held. What failed, or nothing; the file
// cannot be read or decoded (see bitmap_file.h) or memory runs out.
std::string StretchPictureFile(const std::string& path, int width, int height,
                               const PixelFormat& format, PictureBands& out);

// The most bytes one band of an area this wide holds.
std::size_t LargestBandBytes(std::size_t width);

}  // namespace plimex::linux_desktop
