#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plimex {

// A 32-bit pixel layout chosen by the caller: the bits of each colour channel
// (any width, contiguous) and bits set in every pixel, such as an opaque
// alpha. Decoding writes this layout directly, so a caller whose screen or
// toolkit wants another order needs no pass of its own over the pixels.
struct PixelFormat {
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t fixedBits = 0;
};

// 0xAARRGGBB with alpha always 0xff.
inline constexpr PixelFormat kOpaqueArgb32{0x00ff0000u, 0x0000ff00u, 0x000000ffu, 0xff000000u};

// Nothing larger than this is decoded: 256 MiB of pixels at four bytes each,
// far beyond any screen, yet small enough to allocate on any desktop.
inline constexpr std::size_t kMaxDecodedBitmapBytes = std::size_t{256} << 20;

// Enough of a file's beginning for every header and the largest palette.
inline constexpr std::size_t kBitmapHeadBytes = 14 + 124 + 16 + 256 * 4;

// How many bytes of the file decoding can use and how many pixels it makes,
// judged from its head, or why the file will not be decoded at all. Nothing
// is allocated.
struct BitmapExtent {
    std::size_t fileBytes = 0;
    // A shorter file is cut off: its last rows, or the end of its run-length
    // stream, are missing.
    std::size_t completeFileBytes = 0;
    std::size_t pixels = 0;
    std::string failure;  // empty when the file can be decoded
};

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row after row, the top row first
    std::string failure;                // empty when decoded
};

// Where the decoder reads a file beyond its head: at most `bytes` bytes from
// `offset`, fewer where the file ends. What a read returns is valid until the
// next read.
class BitmapFileReader {
  public:
    virtual ~BitmapFileReader() = default;
    virtual std::span<const std::uint8_t> Read(std::size_t offset, std::size_t bytes) = 0;
};

// The BMP forms Windows draws: a core or info header of any version,
// uncompressed 1, 4, 8, 16, 24 and 32 bits a pixel, bit fields, RLE8 and RLE4.
// Every read is bounds-checked; pixels that a compressed stream never sets,
// or that lie past the end of a short file, are black. Pictures above the
// byte limit fail before anything is allocated, and running out of memory
// fails instead of ending the program.
BitmapExtent MeasureBitmap(std::span<const std::uint8_t> head,
                           std::size_t maxDecodedBytes = kMaxDecodedBitmapBytes);
DecodedBitmap DecodeBitmap(std::span<const std::uint8_t> file, const PixelFormat& format,
                           std::size_t maxDecodedBytes = kMaxDecodedBitmapBytes);
// The head is the file's first kBitmapHeadBytes, or all of a shorter file;
// the pixels are read through the reader a band of rows at a time, so that a
// large file is never held whole, and only the bytes the picture needs. They
// are decoded into `storage` when its capacity holds them: memory the caller
// has prepared.
DecodedBitmap DecodeBitmap(std::span<const std::uint8_t> head, BitmapFileReader& reader,
                           const PixelFormat& format, std::vector<std::uint32_t> storage,
                           std::size_t maxDecodedBytes = kMaxDecodedBitmapBytes);

struct BitmapShape {
    std::size_t width = 0;
    std::size_t height = 0;
    bool topDown = false;  // the file stores its top row first, else its bottom row
};

// Rows for decoding to fill, `stride` pixels apart: negative to lay the
// file's rows out upwards, zero to write each row over the one before.
struct RowBand {
    std::uint32_t* first = nullptr;
    std::ptrdiff_t stride = 0;
    std::size_t count = 0;
};

// Where decoding puts the picture's rows, in the order the file stores them,
// every pixel of every row written once.
class BitmapRowTarget {
  public:
    virtual ~BitmapRowTarget() = default;
    // Before any row; false when there is no memory for them.
    virtual bool Begin(const BitmapShape& shape) = 0;
    // Room for at least one row: the file's row `row` and those after it.
    // Decoding fills a band whole before asking for the next.
    virtual RowBand Rows(std::size_t row) = 0;
    // Every row has been written.
    virtual void End() = 0;
};

// The same decoding, a row at a time into the target: what failed, or
// nothing when every row reached it.
std::string DecodeBitmapRows(std::span<const std::uint8_t> head, BitmapFileReader& reader,
                             const PixelFormat& format, BitmapRowTarget& target,
                             std::size_t maxDecodedBytes = kMaxDecodedBitmapBytes);
// The verdict of DecodeBitmap without its pixels: each row is decoded over
// the one before.
std::string CheckBitmap(std::span<const std::uint8_t> head, BitmapFileReader& reader,
                        std::size_t maxDecodedBytes = kMaxDecodedBitmapBytes);

}  // namespace plimex
