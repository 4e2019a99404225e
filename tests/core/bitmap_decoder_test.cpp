#include "core/bitmap_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>
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

// Hands out bands of a few rows, each a buffer of its own that is gone
// once the next is asked for, and puts the picture together from them.
class FewRowsAtATime : public BitmapRowTarget {
  public:
    explicit FewRowsAtATime(std::size_t rows) : rows_(rows) {}

    bool Begin(const BitmapShape& shape) override {
        shape_ = shape;
        picture.assign(shape.width * shape.height, 0xdeadbeef);
        return true;
    }
    RowBand Rows(std::size_t row) override {
        EXPECT_EQ(row, next_) << "rows asked for out of order";
        Keep();
        band_.assign(std::min(rows_, shape_.height - row) * shape_.width, 0xdeadbeef);
        next_ = row + band_.size() / shape_.width;
        return {band_.data(), static_cast<std::ptrdiff_t>(shape_.width), next_ - row};
    }
    void End() override { Keep(); }

    std::vector<std::uint32_t> picture;

  private:
    void Keep() {
        const std::size_t rows = band_.size() / shape_.width;
        for (std::size_t i = 0; i < rows; ++i) {
            const std::size_t row = next_ - rows + i;
            std::copy_n(band_.begin() + static_cast<std::ptrdiff_t>(i * shape_.width), shape_.width,
                        picture.begin() +
                            static_cast<std::ptrdiff_t>(
                                (shape_.topDown ? row : shape_.height - 1 - row) * shape_.width));
        }
    }

    std::size_t rows_;
    BitmapShape shape_;
    std::vector<std::uint32_t> band_;
    std::size_t next_ = 0;
};

class WholeFileReader : public BitmapFileReader {
  public:
    explicit WholeFileReader(const Bytes& file) : file_(file) {}
    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t bytes) override {
        if (offset >= file_.size()) return {};
        return std::span(file_).subspan(offset, std::min(bytes, file_.size() - offset));
    }

  private:
    const Bytes& file_;
};

// Decoding a few rows at a time, or checking a file row over row, gives the
// whole decoding's pixels and verdict, whatever the form, a file cut short
// or a broken one.
TEST(BitmapDecoderTest, RowByRowDecodingAgreesWithTheWholePicture) {
    const BmpForm rle8{.bits = 8, .compression = 1, .palette = kPalette};
    const Bytes tall = Bmp({.width = 2, .height = 7}, Bytes(7 * 8, 0x5a));
    const std::vector<Bytes> files{
        tall,
        Bytes(tall.begin(), tall.end() - 13),
        Bmp({.width = 2, .height = -7, .bits = 8, .palette = kPalette}, {1, 2, 0, 0, 3, 4}),
        Bmp(rle8, {1, 4, 0, 2, 1, 0, 0, 0, 0, 3, 1, 2, 3, 0}),
        Bmp(rle8, {0, 2, 1, 1, 2, 5}),
        Bmp({.width = 3, .height = 5, .bits = 4, .compression = 2, .palette = kPalette},
            {3, 0x12, 0, 0, 0, 0, 2, 0x34, 0, 1}),
        Bmp({}, {}),
        Bytes(100, 0),
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const DecodedBitmap whole = DecodeBitmap(files[i], kOpaqueArgb32);
        WholeFileReader reader(files[i]);
        EXPECT_EQ(CheckBitmap(files[i], reader), whole.failure) << "file " << i;
        for (const std::size_t rows : {1, 2, 3}) {
            FewRowsAtATime target(rows);
            EXPECT_EQ(DecodeBitmapRows(files[i], reader, kOpaqueArgb32, target), whole.failure);
            if (whole.failure.empty()) {
                EXPECT_EQ(target.picture, whole.pixels) << "file " << i << ", bands of " << rows;
            }
        }
    }
}

}  // namespace
}  // namespace plimex
