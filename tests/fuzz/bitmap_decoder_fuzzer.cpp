// Feeds arbitrary bytes to the bitmap decoder: it must not read or write out
// of bounds, and what it measures and decodes must agree.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/bitmap_decoder.h"

namespace {

// Small enough that every input decodes in microseconds.
constexpr std::size_t kFuzzPixelBytes = std::size_t{1} << 20;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class SpanFileReader : public plimex::BitmapFileReader {
  public:
    explicit SpanFileReader(std::span<const std::uint8_t> file) : file_(file) {}
    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t bytes) override {
        if (offset >= file_.size()) return {};
        return file_.subspan(offset, std::min(bytes, file_.size() - offset));
    }

  private:
    std::span<const std::uint8_t> file_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const plimex::BitmapExtent extent = plimex::MeasureBitmap(file, kFuzzPixelBytes);
    const plimex::DecodedBitmap bitmap = plimex::DecodeBitmap(
        file, plimex::PixelFormat{0x3ff00000, 0x000ffc00, 0x3f, 0}, kFuzzPixelBytes);
    if (bitmap.failure.empty()) {
        Check(extent.failure.empty() && extent.pixels == bitmap.pixels.size());
        Check(bitmap.width > 0 && bitmap.height > 0);
        Check(bitmap.pixels.size() ==
              static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height));
        Check(bitmap.pixels.size() * 4 <= kFuzzPixelBytes);
        for (const std::uint32_t pixel : bitmap.pixels) Check((pixel & 0xc0000000u) == 0);
    }
    // Checking a file without keeping its pixels gives the same verdict.
    SpanFileReader reader(file);
    Check(plimex::CheckBitmap(file, reader, kFuzzPixelBytes) == bitmap.failure);
    // The file's own layout takes a shorter road than any other: both must
    // give the same colours.
    const plimex::DecodedBitmap direct =
        plimex::DecodeBitmap(file, plimex::kOpaqueArgb32, kFuzzPixelBytes);
    const plimex::DecodedBitmap shifted = plimex::DecodeBitmap(
        file, plimex::PixelFormat{0xff000000, 0x00ff0000, 0x0000ff00, 0}, kFuzzPixelBytes);
    Check(direct.pixels.size() == shifted.pixels.size());
    for (std::size_t i = 0; i < direct.pixels.size(); ++i) {
        Check(direct.pixels[i] == (0xff000000u | shifted.pixels[i] >> 8));
    }
    return 0;
}
