#include "linux_desktop/stretched_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "posix/scratch_folder.h"

namespace plimex::linux_desktop {
namespace {

// A 32-bit picture wide enough that its rows come in several bands, of
// colours that differ from pixel to pixel, stored bottom row first or top row
// first; `pixels` is what it shows, top row first.
std::string WidePicture(std::size_t width, std::size_t height, bool topDown,
                        std::vector<std::uint32_t>& pixels) {
    std::string bytes = "BM";
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    const auto rowBytes = static_cast<std::uint32_t>(4 * width);
    const auto h = static_cast<std::uint32_t>(height);
    for (const std::uint32_t value : {54 + rowBytes * h, 0u, 54u, 40u,
                                      static_cast<std::uint32_t>(width), topDown ? 0u - h : h}) {
        put(value, 4);
    }
    put(1, 2);
    put(32, 2);
    for (const std::uint32_t value : {0u, rowBytes * h, 2835u, 2835u, 0u, 0u}) put(value, 4);
    std::uint32_t seed = 7;
    pixels.resize(width * height);
    for (std::uint32_t& pixel : pixels) {
        seed = seed * 1664525u + 1013904223u;
        pixel = 0xff000000u | seed >> 8;
    }
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t shown = topDown ? row : height - 1 - row;
        for (std::size_t x = 0; x < width; ++x) put(pixels[shown * width + x], 4);
    }
    return bytes;
}

// The bands put together again; each row must arrive exactly once.
class Gathered : public PictureBands {
  public:
    Gathered(int width, int height)
        : width_(static_cast<std::size_t>(width)),
          pixels(width_ * static_cast<std::size_t>(height)),
          arrivals(static_cast<std::size_t>(height)) {}
    void Put(int top, int rows, std::span<std::uint32_t> band) override {
        ASSERT_EQ(band.size(), static_cast<std::size_t>(rows) * width_);
        std::copy(band.begin(), band.end(), pixels.begin() + top * std::ptrdiff_t(width_));
        for (int row = top; row < top + rows; ++row) ++arrivals[static_cast<std::size_t>(row)];
        ++bands;
    }

    std::size_t width_;
    std::vector<std::uint32_t> pixels;
    std::vector<int> arrivals;
    int bands = 0;
};

// The same size gives the same pixels; half the size gives the average of
// each two by two pixels, rounded down; whichever way up the file stores them.
TEST(StretchedPictureTest, EveryBandLandsInPlaceAtTheSameSizeAndHalved) {
    constexpr int kWidth = 4100;
    constexpr int kHeight = 300;
    ScratchFolder folder;
    for (const bool topDown : {false, true}) {
        std::vector<std::uint32_t> picture;
        const std::string path = folder / "wide.bmp";
        WriteWholeFile(path, WidePicture(kWidth, kHeight, topDown, picture));

        Gathered same(kWidth, kHeight);
        ASSERT_EQ(StretchPictureFile(path, kWidth, kHeight, kOpaqueArgb32, same), "");
        EXPECT_GT(same.bands, 2);
        EXPECT_EQ(same.arrivals, std::vector<int>(kHeight, 1));
        EXPECT_TRUE(same.pixels == picture) << "top-down: " << topDown;

        Gathered halved(kWidth / 2, kHeight / 2);
        ASSERT_EQ(StretchPictureFile(path, kWidth / 2, kHeight / 2, kOpaqueArgb32, halved), "");
        EXPECT_GT(halved.bands, 1);
        EXPECT_EQ(halved.arrivals, std::vector<int>(kHeight / 2, 1));
        const auto byte = [&picture](std::size_t x, std::size_t y, int shift) {
            return picture[y * kWidth + x] >> shift & 0xff;
        };
        std::size_t wrong = 0;
        for (std::size_t y = 0; y < kHeight / 2; ++y) {
            for (std::size_t x = 0; x < kWidth / 2; ++x) {
                std::uint32_t expected = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    expected |=
                        (byte(2 * x, 2 * y, shift) + byte(2 * x + 1, 2 * y, shift) +
                         byte(2 * x, 2 * y + 1, shift) + byte(2 * x + 1, 2 * y + 1, shift)) /
                            4
                        << shift;
                }
                wrong += halved.pixels[y * kWidth / 2 + x] != expected;
            }
        }
        EXPECT_EQ(wrong, 0u) << "top-down: " << topDown;
    }
}

}  // namespace
}  // namespace plimex::linux_desktop
