#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// A picture file stretched over each monitor of a screen, as the program's
// preview shows it, row after row in the pixel layout asked for; black where
// no monitor is. Kept free of Qt's types so that Xlib code, whose macros
// clash with Qt's headers, can use it.
struct StretchedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::string failure;  // why there are no pixels; empty when loaded
};

// The layout keeps each colour in a byte of its own and sets the top byte, as
// a 24-bit screen's does: stretching mixes the bytes one by one. The file is
// decoded straight into it, and a picture of the screen's size is not copied
// again. Without monitors, the picture covers the whole screen. No pixels
// when the file cannot be read or decoded (see bitmap_file.h) or memory runs
// out.
StretchedPicture LoadStretchedPicture(const std::string& path, int width, int height,
                                      const std::vector<ScreenArea>& monitors,
                                      const PixelFormat& format = kOpaqueArgb32);

}  // namespace plimex::linux_desktop
