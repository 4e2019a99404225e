#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plimex {

// A rectangle of the screen, in pixels: one monitor.
struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A picture file stretched over each monitor of a screen, as the program's
// preview shows it, as 0xffRRGGBB values row after row; black where no
// monitor is. Kept free of Qt's types so that Xlib code, whose macros clash
// with Qt's headers, can use it.
struct StretchedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Without monitors, the picture covers the whole screen. Nothing when the
// file cannot be read or is no picture Qt can decode. The file is opened by
// its raw name: no conversion of the name can lose it.
std::optional<StretchedPicture> LoadStretchedPicture(const std::string& path, int width, int height,
                                                     const std::vector<ScreenArea>& monitors);

}  // namespace plimex
