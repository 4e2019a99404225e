#include "core/bitmap_decoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <new>
#include <optional>
#include <utility>

namespace plimex {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kLargestHeaderBytes = 124;

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaBitFields = 6,
};

std::uint32_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | (std::uint32_t{bytes[at + 1]} << 8);
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Read16(bytes, at) | (Read16(bytes, at + 2) << 16);
}

// Where everything lies in the file, from its headers alone.
struct BitmapLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool topDown = false;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kRgb;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
    std::size_t paletteOffset = 0;
    std::size_t paletteEntryBytes = 4;
    std::size_t paletteEntries = 0;
    std::size_t pixelOffset = 0;
    std::size_t rowBytes = 0;
    std::size_t compressedBytes = 0;  // as the header gives it, for run-length streams

    bool Compressed() const { return compression == kRle8 || compression == kRle4; }

    // The bytes the pixels can take: a run-length stream spends at most two
    // bytes a pixel and two more for each row's end, whatever its escapes.
    std::size_t PixelBytes() const {
        if (Compressed()) return 2 * std::size_t{width} * height + 2 * std::size_t{height} + 2;
        return rowBytes * height;
    }
    // The bytes a whole file holds: every row, or the stream as long as the
    // header says. A reader that trusts the header reads that far.
    std::size_t CompleteFileBytes() const {
        return pixelOffset +
               (Compressed() ? std::max<std::size_t>(compressedBytes, 1) : rowBytes * height);
    }
};

struct LayoutResult {
    std::optional<BitmapLayout> layout;
    std::string failure;
};

LayoutResult Fail(std::string why) {
    return {std::nullopt, std::move(why)};
}

bool ValidForm(std::uint32_t bits, std::uint32_t compression) {
    switch (compression) {
        case kRgb:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kRle8:
            return bits == 8;
        case kRle4:
            return bits == 4;
        case kBitFields:
        case kAlphaBitFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

std::array<std::uint32_t, 3> DefaultMasks(std::uint32_t bits) {
    if (bits == 16) return {0x7c00u, 0x03e0u, 0x001fu};
    return {0x00ff0000u, 0x0000ff00u, 0x000000ffu};
}

LayoutResult ReadLayout(std::span<const std::uint8_t> head, std::size_t maxDecodedBytes) {
    if (head.size() < kFileHeaderBytes + 4 || head[0] != 'B' || head[1] != 'M') {
        return Fail("not a BMP file");
    }
    const std::uint32_t headerBytes = Read32(head, kFileHeaderBytes);
    const bool core = headerBytes == kCoreHeaderBytes;
    if (!core && (headerBytes < kInfoHeaderBytes || headerBytes > kLargestHeaderBytes)) {
        return Fail("unknown BMP header");
    }
    if (head.size() < kFileHeaderBytes + headerBytes) return Fail("the file ends in its header");

    BitmapLayout layout;
    const std::size_t info = kFileHeaderBytes;
    std::int64_t height = 0;
    if (core) {
        layout.width = Read16(head, info + 4);
        height = Read16(head, info + 6);
        layout.bitsPerPixel = Read16(head, info + 10);
        layout.paletteEntryBytes = 3;
    } else {
        layout.width = Read32(head, info + 4);
        height = static_cast<std::int32_t>(Read32(head, info + 8));
        layout.bitsPerPixel = Read16(head, info + 14);
        layout.compression = Read32(head, info + 16);
        layout.compressedBytes = Read32(head, info + 20);
    }
    layout.topDown = height < 0;
    layout.height = static_cast<std::uint32_t>(height < 0 ? -height : height);
    if (!ValidForm(layout.bitsPerPixel, layout.compression)) {
        return Fail("unsupported BMP form: " + std::to_string(layout.bitsPerPixel) +
                    " bits a pixel, compression " + std::to_string(layout.compression));
    }
    if (layout.topDown && layout.Compressed()) return Fail("a compressed BMP cannot be top-down");
    if (static_cast<std::int32_t>(layout.width) <= 0 || layout.height == 0) {
        return Fail("the picture has no pixels");
    }
    const std::uint64_t pixels = std::uint64_t{layout.width} * layout.height;
    if (pixels > maxDecodedBytes / sizeof(std::uint32_t)) {
        return Fail("the picture is too large to show: " + std::to_string(layout.width) + "x" +
                    std::to_string(layout.height) + " pixels");
    }

    std::size_t afterHeader = kFileHeaderBytes + headerBytes;
    layout.masks = DefaultMasks(layout.bitsPerPixel);
    if (layout.compression == kBitFields || layout.compression == kAlphaBitFields) {
        // An info header of 40 bytes is followed by the masks; later
        // versions hold them at the same place within the header.
        const std::size_t maskBytes = layout.compression == kAlphaBitFields ? 16 : 12;
        if (headerBytes == kInfoHeaderBytes) afterHeader += maskBytes;
        if (head.size() < kFileHeaderBytes + kInfoHeaderBytes + 12) return Fail("no colour masks");
        for (std::size_t i = 0; i < 3; ++i) {
            layout.masks[i] = Read32(head, kFileHeaderBytes + kInfoHeaderBytes + 4 * i);
        }
    }
    if (layout.bitsPerPixel <= 8) {
        const std::size_t largest = std::size_t{1} << layout.bitsPerPixel;
        const std::uint32_t used = core ? 0 : Read32(head, info + 32);
        layout.paletteEntries = used == 0 || used > largest ? largest : used;
        layout.paletteOffset = afterHeader;
    }
    layout.pixelOffset = Read32(head, 10);
    if (layout.pixelOffset > layout.paletteOffset && layout.paletteEntries > 0) {
        // A core header implies a full palette; a shorter file stops it at the pixels.
        layout.paletteEntries =
            std::min(layout.paletteEntries,
                     (layout.pixelOffset - layout.paletteOffset) / layout.paletteEntryBytes);
    }
    layout.rowBytes = (std::size_t{layout.width} * layout.bitsPerPixel + 31) / 32 * 4;
    return {layout, {}};
}

// Turns 8-bit channels, and channels of any mask, into the caller's layout
// through one small table each: no arithmetic per pixel beyond look-ups.
class ChannelTable {
  public:
    ChannelTable(std::uint32_t sourceMask, std::uint32_t targetMask) {
        if (sourceMask != 0) {
            shift_ = std::countr_zero(sourceMask);
            const int span = 32 - std::countl_zero(sourceMask) - shift_;
            drop_ = std::max(0, span - 8);
            mask_ = sourceMask;
            const std::uint32_t sourceMax = (std::uint64_t{1} << (span - drop_)) - 1;
            const int targetShift = targetMask == 0 ? 0 : std::countr_zero(targetMask);
            const std::uint64_t targetMax = std::uint64_t{targetMask} >> targetShift;
            for (std::uint32_t v = 0; v <= sourceMax; ++v) {
                table_[v] = static_cast<std::uint32_t>(((v * targetMax + sourceMax / 2) / sourceMax)
                                                       << targetShift);
            }
        }
    }

    std::uint32_t operator()(std::uint32_t pixel) const {
        return table_[((pixel & mask_) >> shift_) >> drop_];
    }
    // An 8-bit channel that stays where it is.
    bool Unchanged(std::uint32_t targetMask) const {
        return mask_ == targetMask && drop_ == 0 && std::popcount(mask_) == 8;
    }

  private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int drop_ = 0;
    std::array<std::uint32_t, 256> table_{};
};

class PixelConverter {
  public:
    PixelConverter(const std::array<std::uint32_t, 3>& sourceMasks, const PixelFormat& format)
        : red_(sourceMasks[0], format.redMask),
          green_(sourceMasks[1], format.greenMask),
          blue_(sourceMasks[2], format.blueMask),
          fixed_(format.fixedBits),
          unchanged_(red_.Unchanged(format.redMask) && green_.Unchanged(format.greenMask) &&
                     blue_.Unchanged(format.blueMask)),
          channels_(format.redMask | format.greenMask | format.blueMask) {}

    std::uint32_t operator()(std::uint32_t pixel) const {
        return red_(pixel) | green_(pixel) | blue_(pixel) | fixed_;
    }
    std::uint32_t Black() const { return fixed_; }
    // The file's pixels are already in the caller's layout, as a screen's
    // usually are: masking them is the whole conversion.
    bool Unchanged() const { return unchanged_; }
    std::uint32_t Masked(std::uint32_t pixel) const { return (pixel & channels_) | fixed_; }

  private:
    ChannelTable red_;
    ChannelTable green_;
    ChannelTable blue_;
    std::uint32_t fixed_;
    bool unchanged_;
    std::uint32_t channels_;
};

constexpr std::array<std::uint32_t, 3> kBgrMasks{0x00ff0000u, 0x0000ff00u, 0x000000ffu};

// Indexes beyond the file's palette are black, so every byte is a valid index.
std::array<std::uint32_t, 256> ConvertPalette(std::span<const std::uint8_t> file,
                                              const BitmapLayout& layout,
                                              const PixelConverter& convert) {
    std::array<std::uint32_t, 256> colors;
    colors.fill(convert.Black());
    for (std::size_t i = 0; i < layout.paletteEntries; ++i) {
        const std::size_t at = layout.paletteOffset + i * layout.paletteEntryBytes;
        if (at + 3 > file.size()) break;
        colors[i] = convert(file[at] | (std::uint32_t{file[at + 1]} << 8) |
                            (std::uint32_t{file[at + 2]} << 16));
    }
    return colors;
}

// Hands out the target's rows one at a time, asking for a band when the one
// before is used up.
class RowCursor {
  public:
    RowCursor(BitmapRowTarget& target, const BitmapShape& shape) : target_(target), shape_(shape) {}

    std::size_t width() const { return shape_.width; }
    std::size_t height() const { return shape_.height; }
    std::uint32_t* Next() {
        if (used_ == band_.count) {
            band_ = target_.Rows(row_);
            used_ = 0;
        }
        std::uint32_t* const row = band_.first + static_cast<std::ptrdiff_t>(used_) * band_.stride;
        ++used_;
        ++row_;
        return row;
    }
    // The rows a short file or a run-length stream leaves out are black.
    void FillRemaining(std::uint32_t black) {
        while (row_ < shape_.height) std::fill_n(Next(), shape_.width, black);
    }

  private:
    BitmapRowTarget& target_;
    BitmapShape shape_;
    RowBand band_;
    std::size_t used_ = 0;
    std::size_t row_ = 0;
};

void DecodeIndexedRow(const std::uint8_t* source, std::uint32_t bits, std::uint32_t* row,
                      std::size_t width, const std::array<std::uint32_t, 256>& colors) {
    switch (bits) {
        case 8:
            for (std::size_t x = 0; x < width; ++x) row[x] = colors[source[x]];
            break;
        case 4:
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint8_t pair = source[x / 2];
                row[x] = colors[x % 2 == 0 ? pair >> 4 : pair & 0x0f];
            }
            break;
        default:
            for (std::size_t x = 0; x < width; ++x) {
                row[x] = colors[(source[x / 8] >> (7 - x % 8)) & 1];
            }
            break;
    }
}

// Convert is the converter itself, or its masking alone when that is all it does.
template <typename Convert>
void DecodeDirectRow(const std::uint8_t* source, std::uint32_t bits, std::uint32_t* row,
                     std::size_t width, const Convert& convert) {
    switch (bits) {
        case 32:
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint8_t* p = source + 4 * x;
                row[x] = convert(p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
                                 (std::uint32_t{p[3]} << 24));
            }
            break;
        case 24: {
            // Four pixels from three 32-bit words, each read in one load;
            // converters look at the low three bytes only. The last few
            // pixels are read byte by byte, so as not to read past the row.
            const auto word = [](const std::uint8_t* p) {
                return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
                       (std::uint32_t{p[3]} << 24);
            };
            std::size_t x = 0;
            for (; x + 4 <= width; x += 4) {
                const std::uint8_t* p = source + 3 * x;
                const std::uint32_t first = word(p);
                const std::uint32_t second = word(p + 4);
                const std::uint32_t third = word(p + 8);
                row[x] = convert(first);
                row[x + 1] = convert(first >> 24 | second << 8);
                row[x + 2] = convert(second >> 16 | third << 16);
                row[x + 3] = convert(third >> 8);
            }
            for (; x < width; ++x) {
                const std::uint8_t* p = source + 3 * x;
                row[x] = convert(p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16));
            }
            break;
        }
        default:
            for (std::size_t x = 0; x < width; ++x) {
                row[x] = convert(source[2 * x] | (std::uint32_t{source[2 * x + 1]} << 8));
            }
            break;
    }
}

// Rows are read in bands of about this many bytes: a large file is never
// held whole, and each read is still large.
constexpr std::size_t kBandBytes = std::size_t{256} << 10;

void DecodeRow(const std::uint8_t* source, const BitmapLayout& layout, std::uint32_t* row,
               std::size_t width, const PixelConverter& convert,
               const std::array<std::uint32_t, 256>& colors) {
    if (layout.bitsPerPixel <= 8) {
        DecodeIndexedRow(source, layout.bitsPerPixel, row, width, colors);
    } else if (convert.Unchanged()) {
        DecodeDirectRow(source, layout.bitsPerPixel, row, width,
                        [&convert](std::uint32_t pixel) { return convert.Masked(pixel); });
    } else {
        DecodeDirectRow(source, layout.bitsPerPixel, row, width, convert);
    }
}

void DecodeUncompressed(std::span<const std::uint8_t> head, BitmapFileReader& reader,
                        const BitmapLayout& layout, const PixelFormat& format, RowCursor& out) {
    const bool indexed = layout.bitsPerPixel <= 8;
    const PixelConverter convert(indexed || layout.bitsPerPixel == 24 ? kBgrMasks : layout.masks,
                                 format);
    const std::array<std::uint32_t, 256> colors = ConvertPalette(head, layout, convert);
    const std::size_t bandRows = std::max<std::size_t>(1, kBandBytes / layout.rowBytes);
    for (std::size_t y = 0; y < out.height(); y += bandRows) {
        const std::size_t rows = std::min(bandRows, out.height() - y);
        const std::span<const std::uint8_t> band =
            reader.Read(layout.pixelOffset + y * layout.rowBytes, rows * layout.rowBytes);
        const std::size_t whole = band.size() / layout.rowBytes;
        for (std::size_t i = 0; i < whole; ++i) {
            DecodeRow(band.data() + i * layout.rowBytes, layout, out.Next(), out.width(), convert,
                      colors);
        }
        if (whole < rows) break;
    }
    out.FillRemaining(convert.Black());
}

// The escapes of a run-length stream: a zero count followed by one of these,
// or by the length of a literal run.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Writes within the picture only: runs are clipped at the row's end, and rows
// past the top end the decoding. Rows only ever move up, so each is taken
// from the target, and blackened, once.
class RunLengthDecoder {
  public:
    RunLengthDecoder(RowCursor& out, const std::array<std::uint32_t, 256>& colors,
                     std::uint32_t black, bool fourBit)
        : out_(out), colors_(colors), black_(black), fourBit_(fourBit) {
        Enter();
    }

    void Decode(std::span<const std::uint8_t> stream) {
        std::size_t at = 0;
        while (at + 2 <= stream.size() && y_ < out_.height()) {
            const std::uint8_t count = stream[at];
            const std::uint8_t value = stream[at + 1];
            at += 2;
            if (count > 0) {
                Run(count, [&](std::size_t i) {
                    return fourBit_ ? (i % 2 == 0 ? value >> 4 : value & 0x0f) : value;
                });
            } else if (value == kEndOfLine) {
                x_ = 0;
                MoveUp(1);
            } else if (value == kEndOfBitmap) {
                break;
            } else if (value == kDelta) {
                if (at + 2 > stream.size()) break;
                x_ = std::min(x_ + stream[at], out_.width());
                MoveUp(stream[at + 1]);
                at += 2;
            } else {
                const std::size_t bytes = fourBit_ ? (value + 1) / 2 : value;
                if (at + bytes > stream.size()) break;
                const std::uint8_t* literal = stream.data() + at;
                Run(value, [&](std::size_t i) {
                    return fourBit_ ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0x0f)
                                    : literal[i];
                });
                at += bytes + bytes % 2;  // literal runs are padded to whole 16-bit words
            }
        }
        out_.FillRemaining(black_);
    }

  private:
    void Enter() {
        row_ = out_.Next();
        std::fill_n(row_, out_.width(), black_);
    }
    void MoveUp(std::size_t rows) {
        for (std::size_t i = 0; i < rows && y_ < out_.height(); ++i) {
            if (++y_ < out_.height()) Enter();
        }
    }

    template <typename IndexOf>
    void Run(std::size_t count, IndexOf indexOf) {
        const std::size_t end = std::min(x_ + count, out_.width());
        for (std::size_t i = 0; x_ + i < end; ++i) row_[x_ + i] = colors_[indexOf(i)];
        x_ = end;
    }

    RowCursor& out_;
    const std::array<std::uint32_t, 256>& colors_;
    std::uint32_t black_;
    bool fourBit_;
    std::uint32_t* row_ = nullptr;
    std::size_t x_ = 0;
    std::size_t y_ = 0;
};

void DecodeRunLength(std::span<const std::uint8_t> head, BitmapFileReader& reader,
                     const BitmapLayout& layout, const PixelFormat& format, RowCursor& out) {
    const PixelConverter convert(kBgrMasks, format);
    const std::array<std::uint32_t, 256> colors = ConvertPalette(head, layout, convert);
    RunLengthDecoder(out, colors, convert.Black(), layout.compression == kRle4)
        .Decode(reader.Read(layout.pixelOffset, layout.PixelBytes()));
}

// A file held whole in memory.
class SpanReader : public BitmapFileReader {
  public:
    explicit SpanReader(std::span<const std::uint8_t> file) : file_(file) {}
    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t bytes) override {
        if (offset >= file_.size()) return {};
        return file_.subspan(offset, std::min(bytes, file_.size() - offset));
    }

  private:
    std::span<const std::uint8_t> file_;
};

// The whole picture, top row first.
class WholePicture : public BitmapRowTarget {
  public:
    explicit WholePicture(std::vector<std::uint32_t> storage) {
        bitmap_.pixels = std::move(storage);
    }

    bool Begin(const BitmapShape& shape) override {
        try {
            bitmap_.pixels.resize(shape.width * shape.height);
        } catch (const std::bad_alloc&) {
            return false;
        }
        shape_ = shape;
        return true;
    }
    RowBand Rows(std::size_t row) override {
        const auto width = static_cast<std::ptrdiff_t>(shape_.width);
        if (shape_.topDown)
            return {bitmap_.pixels.data() + row * shape_.width, width, shape_.height - row};
        return {bitmap_.pixels.data() + (shape_.height - 1 - row) * shape_.width, -width,
                shape_.height - row};
    }
    void End() override {
        bitmap_.width = static_cast<int>(shape_.width);
        bitmap_.height = static_cast<int>(shape_.height);
    }
    DecodedBitmap bitmap() && { return std::move(bitmap_); }

  private:
    BitmapShape shape_;
    DecodedBitmap bitmap_;
};

// Every row over the one before: the pixels are decoded, and dropped.
class OneRow : public BitmapRowTarget {
  public:
    bool Begin(const BitmapShape& shape) override {
        try {
            row_.resize(shape.width);
        } catch (const std::bad_alloc&) {
            return false;
        }
        height_ = shape.height;
        return true;
    }
    RowBand Rows(std::size_t row) override { return {row_.data(), 0, height_ - row}; }
    void End() override {}

  private:
    std::vector<std::uint32_t> row_;
    std::size_t height_ = 0;
};

}  // namespace

BitmapExtent MeasureBitmap(std::span<const std::uint8_t> head, std::size_t maxDecodedBytes) {
    const LayoutResult result = ReadLayout(head, maxDecodedBytes);
    if (!result.layout) return {0, 0, 0, result.failure};
    const BitmapLayout& layout = *result.layout;
    return {layout.pixelOffset + layout.PixelBytes(),
            layout.CompleteFileBytes(),
            std::size_t{layout.width} * layout.height,
            {}};
}

std::string DecodeBitmapRows(std::span<const std::uint8_t> head, BitmapFileReader& reader,
                             const PixelFormat& format, BitmapRowTarget& target,
                             std::size_t maxDecodedBytes) {
    const LayoutResult result = ReadLayout(head, maxDecodedBytes);
    if (!result.layout) return result.failure;
    const BitmapLayout& layout = *result.layout;
    if (reader.Read(layout.pixelOffset, 1).empty()) return "the file ends before its pixels";
    const BitmapShape shape{layout.width, layout.height, layout.topDown};
    if (!target.Begin(shape)) return "not enough memory for the picture";
    RowCursor out(target, shape);
    if (layout.Compressed()) {
        DecodeRunLength(head, reader, layout, format, out);
    } else {
        DecodeUncompressed(head, reader, layout, format, out);
    }
    target.End();
    return {};
}

DecodedBitmap DecodeBitmap(std::span<const std::uint8_t> head, BitmapFileReader& reader,
                           const PixelFormat& format, std::vector<std::uint32_t> storage,
                           std::size_t maxDecodedBytes) {
    WholePicture picture(std::move(storage));
    std::string failure = DecodeBitmapRows(head, reader, format, picture, maxDecodedBytes);
    if (!failure.empty()) return {0, 0, {}, std::move(failure)};
    return std::move(picture).bitmap();
}

std::string CheckBitmap(std::span<const std::uint8_t> head, BitmapFileReader& reader,
                        std::size_t maxDecodedBytes) {
    OneRow row;
    return DecodeBitmapRows(head, reader, kOpaqueArgb32, row, maxDecodedBytes);
}

DecodedBitmap DecodeBitmap(std::span<const std::uint8_t> file, const PixelFormat& format,
                           std::size_t maxDecodedBytes) {
    SpanReader reader(file);
    return DecodeBitmap(file, reader, format, {}, maxDecodedBytes);
}

}  // namespace plimex
