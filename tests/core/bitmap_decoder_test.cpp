#include "core/bitmap_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Each form below names only the fields that differ from a 24-bit picture.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace plimex {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

struct BmpForm {
    std::int32_t width = 3;
    std::int32_t height = 2;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB
    std::vector<std::uint32_t> masks;    // after a 40-byte header
};

// A file with a 40-byte info header (or a 12-byte core header when the
// width is given as core), its masks, palette and the pixel bytes.
Bytes Bmp(const BmpForm& form, const Bytes& pixels, bool core = false) {
    const std::uint32_t header = core ? 12 : 40;
    const std::uint32_t entry = core ? 3 : 4;
    const auto offset = static_cast<std::uint32_t>(14 + header + 4 * form.masks.size() +
                                                   entry * form.palette.size());
    Bytes bytes{'B', 'M'};
    Put(bytes, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    Put(bytes, 0, 4);
    Put(bytes, offset, 4);
    Put(bytes, header, 4);
    if (core) {
        Put(bytes, static_cast<std::uint32_t>(form.width), 2);
        Put(bytes, static_cast<std::uint32_t>(form.height), 2);
        Put(bytes, 1, 2);
        Put(bytes, form.bits, 2);
    } else {
        Put(bytes, static_cast<std::uint32_t>(form.width), 4);
        Put(bytes, static_cast<std::uint32_t>(form.height), 4);
        Put(bytes, 1, 2);
        Put(bytes, form.bits, 2);
        Put(bytes, form.compression, 4);
        Put(bytes, static_cast<std::uint32_t>(pixels.size()), 4);
        Put(bytes, 2835, 4);
        Put(bytes, 2835, 4);
        Put(bytes, static_cast<std::uint32_t>(form.palette.size()), 4);
        Put(bytes, 0, 4);
    }
    for (const std::uint32_t mask : form.masks) Put(bytes, mask, 4);
    for (const std::uint32_t color : form.palette) Put(bytes, color, static_cast<int>(entry));
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return bytes;
}

// The picture every form below encodes, top row first: red green blue, then
// white black and a grey.
const std::vector<std::uint32_t> kPicture{0xffff0000, 0xff00ff00, 0xff0000ff,
                                          0xffffffff, 0xff000000, 0xff808080};
const std::vector<std::uint32_t> kPalette{0x000000, 0xff0000, 0x00ff00,
                                          0x0000ff, 0xffffff, 0x808080};

std::vector<std::uint32_t> Decoded(const Bytes& file, const PixelFormat& format = kOpaqueArgb32) {
    const DecodedBitmap bitmap = DecodeBitmap(file, format);
    EXPECT_EQ(bitmap.failure, "");
    return bitmap.pixels;
}

TEST(BitmapDecoderTest, EveryFormGivesThePicture) {
    // Bottom row first, as the files store it.
    EXPECT_EQ(Decoded(Bmp({}, {0xff, 0xff, 0xff, 0, 0,    0, 0x80, 0x80, 0x80, 0, 0, 0,
                               0,    0,    0xff, 0, 0xff, 0, 0xff, 0,    0,    0, 0, 0})),
              kPicture);
    const Bytes indexes8{4, 0, 5, 0, 1, 2, 3, 0};
    EXPECT_EQ(Decoded(Bmp({.bits = 8, .palette = kPalette}, indexes8)), kPicture);
    EXPECT_EQ(Decoded(Bmp({.bits = 8, .palette = kPalette}, indexes8, true)), kPicture);
    EXPECT_EQ(Decoded(Bmp({.bits = 4, .palette = kPalette}, {0x40, 0x50, 0, 0, 0x12, 0x30, 0, 0})),
              kPicture);
    // Top-down rows come in the order shown.
    EXPECT_EQ(
        Decoded(Bmp({.height = -2, .bits = 8, .palette = kPalette}, {1, 2, 3, 0, 4, 0, 5, 0})),
        kPicture);
    // 32 bits with masks in blue-green-red-alpha order; 16 bits as 5-6-5.
    EXPECT_EQ(Decoded(Bmp({.bits = 32, .compression = 3, .masks = {0xff00, 0xff0000, 0xff000000}},
                          {0, 0xff, 0xff, 0xff, 0, 0, 0,    0, 0, 0x80, 0x80, 0x80,
                           0, 0xff, 0,    0,    0, 0, 0xff, 0, 0, 0,    0,    0xff})),
              kPicture);
    // 32 bits without masks: blue, green, red and a byte that is not drawn,
    // into a layout without fixed bits.
    std::vector<std::uint32_t> noAlpha;
    for (const std::uint32_t pixel : kPicture) noAlpha.push_back(pixel & 0xffffff);
    EXPECT_EQ(Decoded(Bmp({.bits = 32}, {0xff, 0xff, 0xff, 7, 0, 0,    0, 7, 0x80, 0x80, 0x80, 7,
                                         0,    0,    0xff, 7, 0, 0xff, 0, 7, 0xff, 0,    0,    7}),
                      PixelFormat{0xff0000, 0xff00, 0xff, 0}),
              noAlpha);
    const std::vector<std::uint32_t> picture565{0xffff0000, 0xff00ff00, 0xff0000ff,
                                                0xffffffff, 0xff000000, 0xff848284};
    EXPECT_EQ(
        Decoded(Bmp({.bits = 16, .compression = 3, .masks = {0xf800, 0x07e0, 0x001f}},
                    {0xff, 0xff, 0, 0, 0x10, 0x84, 0, 0, 0, 0xf8, 0xe0, 0x07, 0x1f, 0, 0, 0})),
        picture565);
    // Runs, a literal run and the end of a line, bottom row first.
    EXPECT_EQ(Decoded(Bmp({.bits = 8, .compression = 1, .palette = kPalette},
                          {1, 4, 1, 0, 1, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1})),
              kPicture);
    EXPECT_EQ(Decoded(Bmp({.bits = 4, .compression = 2, .palette = kPalette},
                          {2, 0x40, 1, 0x55, 0, 0, 0, 3, 0x12, 0x30, 0, 1})),
              kPicture);
    // The caller's layout: red in the low byte, no fixed bits.
    EXPECT_EQ(Decoded(Bmp({.bits = 8, .palette = kPalette}, indexes8),
                      PixelFormat{0xff, 0xff00, 0xff0000, 0})
                  .front(),
              0x0000ffu);
}

// Large pictures are read a band of rows at a time: every row lands in its
// place, and the rows of a file cut short within a band stay black.
TEST(BitmapDecoderTest, RowsOfManyBandsLandInPlace) {
    const std::int32_t width = 1000;
    const std::int32_t height = 300;
    const std::size_t rowBytes = 3000;
    Bytes pixels(rowBytes * height);
    for (std::size_t y = 0; y < height; ++y) {  // the file's row y is row height-1-y shown
        for (std::size_t x = 0; x < width; ++x) {
            pixels[y * rowBytes + 3 * x] = static_cast<std::uint8_t>(y);
            pixels[y * rowBytes + 3 * x + 1] = static_cast<std::uint8_t>(y >> 8);
        }
    }
    Bytes file = Bmp({.width = width, .height = height}, pixels);
    file.resize(file.size() - 200 * rowBytes - 1);  // 99 whole rows and part of one
    const std::vector<std::uint32_t> decoded = Decoded(file);
    ASSERT_EQ(decoded.size(), std::size_t{width} * height);
    for (std::size_t shown = 0; shown < height; ++shown) {
        const std::size_t y = height - 1 - shown;
        const std::uint32_t expected =
            y < 99 ? 0xff000000u | static_cast<std::uint32_t>(y) : 0xff000000u;
        EXPECT_EQ(decoded[shown * width], expected) << "row " << y;
        EXPECT_EQ(decoded[shown * width + width - 1], expected) << "row " << y;
    }
}

TEST(BitmapDecoderTest, RunLengthStreamsNeverWriteOutsideThePictureAndSkippedPixelsAreBlack) {
    const BmpForm rle4{.bits = 4, .compression = 2, .palette = kPalette};
    const BmpForm rle8{.bits = 8, .compression = 1, .palette = kPalette};
    // A delta over the first pixel, a run far past the row's end, a literal
    // run longer than the row, a delta past the top, indexes beyond the palette.
    const Bytes crafted{0,    2,    1,    0, 255, 0x11, 0,   8, 0x22,
                        0x22, 0x22, 0x22, 0, 2,   250,  250, 9, 0xff};
    for (const BmpForm& form : {rle4, rle8}) {
        const std::vector<std::uint32_t> pixels = Decoded(Bmp(form, crafted));
        ASSERT_EQ(pixels.size(), 6u);
        EXPECT_EQ(pixels[3], 0xff000000u) << "a skipped pixel is black";
        EXPECT_EQ(pixels[0], 0xff000000u) << "the top row was never reached";
    }
    // Streams cut anywhere decode without reading past their end.
    const Bytes file = Bmp(rle8, {0, 5, 1, 2, 3, 4, 5, 0, 2, 1});
    for (std::size_t size = 0; size <= file.size(); ++size) {
        DecodeBitmap(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size)),
                     kOpaqueArgb32);
    }
}

TEST(BitmapDecoderTest, PicturesTooLargeOrMalformedFailBeforeAnythingIsAllocated) {
    const Bytes huge = Bmp({.width = 16000, .height = 16000}, {});
    EXPECT_NE(MeasureBitmap(huge).failure.find("too large"), std::string::npos);
    EXPECT_NE(DecodeBitmap(huge, kOpaqueArgb32).failure, "");
    // The limit: a picture of exactly the limit is measured, one more row is not.
    const Bytes atLimit = Bmp({.width = 8192, .height = 8192}, {});
    EXPECT_EQ(MeasureBitmap(atLimit).failure, "");
    EXPECT_EQ(MeasureBitmap(atLimit).fileBytes, atLimit.size() + 8192u * 8192u * 3u);
    EXPECT_NE(MeasureBitmap(Bmp({.width = 8192, .height = 8193}, {})).failure, "");

    for (const Bytes& broken : {
             Bmp({.width = -3}, {0}),
             Bmp({.height = 0}, {0}),
             Bmp({.bits = 7}, {0}),
             Bmp({.height = -2, .bits = 8, .compression = 1, .palette = kPalette}, {0, 1}),
             Bmp({}, {}),
             Bytes{'B', 'M', 0, 0},
             Bytes(100, 0),
         }) {
        EXPECT_NE(DecodeBitmap(broken, kOpaqueArgb32).failure, "");
    }
}

}  // namespace
}  // namespace plimex
