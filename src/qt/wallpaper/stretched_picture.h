#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plimex {

// A picture file's pixels, stretched to a given size, as 0xffRRGGBB values
// row after row. Kept free of Qt's types so that Xlib code, whose macros
// clash with Qt's headers, can use it.
struct StretchedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Nothing when the file cannot be read or is no picture Qt can decode. The
// file is opened by its raw name: no conversion of the name can lose it.
std::optional<StretchedPicture> LoadStretchedPicture(const std::string& path, int width,
                                                     int height);

}  // namespace plimex
