#include "linux_desktop/stretched_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "posix/bitmap_file.h"

namespace plimex::linux_desktop {

namespace {

// Small enough to stay in the processor's cache between being written and
// being sent, large enough that each band is one large write.
constexpr std::size_t kBandBytes = std::size_t{1} << 20;

// Weights are in 256ths, so that a byte times a weight, summed over the
// weights of one pixel, fits in 16 bits.
constexpr int kWeightBits = 8;
constexpr std::uint32_t kWholeWeight = 1u << kWeightBits;

// Along one axis: the source pixels each target pixel mixes, `taps` of them
// from first[i] on, and their weights, which sum to kWholeWeight.
struct AxisWeights {
    std::size_t taps = 0;
    std::vector<std::size_t> first;
    std::vector<std::uint16_t> weights;  // taps for each target pixel
};

// Along one axis, `ratio` source pixels to a target pixel: the source
// pixels target pixel `d` mixes, from the first to one past the last, and
// how much of each. When the picture shrinks, each covers a share of the
// target's span; when it grows, the nearest two mix by distance.
class AxisMix {
  public:
    AxisMix(std::size_t sourceSize, std::size_t targetSize)
        : size_(sourceSize),
          ratio_(static_cast<double>(sourceSize) / static_cast<double>(targetSize)) {}

    std::pair<std::size_t, std::size_t> Span(std::size_t d) const {
        // Spans that end on a pixel's edge, give or take rounding, stop there.
        constexpr double kSlack = 1e-9;
        if (ratio_ > 1) {
            const double begin = static_cast<double>(d) * ratio_;
            return {static_cast<std::size_t>(std::floor(begin + kSlack)),
                    std::min(size_, static_cast<std::size_t>(std::ceil(begin + ratio_ - kSlack)))};
        }
        const auto nearest = static_cast<std::size_t>(std::floor(Center(d)));
        return {nearest, std::min(size_, nearest + 2)};
    }
    double Weight(std::size_t d, std::size_t i) const {
        if (ratio_ > 1) {
            const double begin = static_cast<double>(d) * ratio_;
            const double overlap = std::min(begin + ratio_, static_cast<double>(i) + 1) -
                                   std::max(begin, static_cast<double>(i));
            return std::max(0.0, overlap) / ratio_;
        }
        return std::max(0.0, 1 - std::abs(Center(d) - static_cast<double>(i)));
    }

  private:
    double Center(std::size_t d) const {
        return std::clamp((static_cast<double>(d) + 0.5) * ratio_ - 0.5, 0.0,
                          static_cast<double>(size_ - 1));
    }

    std::size_t size_;
    double ratio_;
};

AxisWeights Weights(std::size_t sourceSize, std::size_t targetSize) {
    const AxisMix mix(sourceSize, targetSize);
    AxisWeights axis;
    for (std::size_t d = 0; d < targetSize; ++d) {
        const auto [begin, end] = mix.Span(d);
        axis.taps = std::max(axis.taps, end - begin);
    }
    axis.first.resize(targetSize);
    axis.weights.resize(targetSize * axis.taps);
    for (std::size_t d = 0; d < targetSize; ++d) {
        axis.first[d] = std::min(mix.Span(d).first, sourceSize - axis.taps);
        std::uint16_t* const weights = axis.weights.data() + d * axis.taps;
        std::uint32_t sum = 0;
        std::size_t largest = 0;
        for (std::size_t t = 0; t < axis.taps; ++t) {
            weights[t] = static_cast<std::uint16_t>(
                std::lround(mix.Weight(d, axis.first[d] + t) * kWholeWeight));
            sum += weights[t];
            if (weights[t] > weights[largest]) largest = t;
        }
        // Rounding must neither brighten nor darken.
        weights[largest] = static_cast<std::uint16_t>(weights[largest] + kWholeWeight - sum);
    }
    return axis;
}

// The screen's rows a band at a time, in the order the file gives them:
// upwards for a file stored bottom row first.
class BandBuffer {
  public:
    BandBuffer(std::size_t width, std::size_t height, bool topDown, PictureBands& out)
        : width_(width),
          height_(height),
          topDown_(topDown),
          rows_(std::min<std::size_t>(LargestBandBytes(width) / (4 * width), height)),
          pixels_(rows_ * width),
          out_(out) {}

    // Row `row` in the file's order, within the band it belongs to; the band
    // before is handed over first. The rest of its band follows it,
    // `stride` pixels apart.
    RowBand Row(std::size_t row) {
        const std::size_t start = row - row % rows_;
        if (row == start && row > 0) Hand(start - rows_);
        const std::size_t count = std::min(rows_, height_ - start);
        const std::size_t at = topDown_ ? row - start : count - 1 - (row - start);
        const auto stride = static_cast<std::ptrdiff_t>(width_);
        return {pixels_.data() + at * width_, topDown_ ? stride : -stride, start + count - row};
    }
    void HandLast() { Hand((height_ - 1) - (height_ - 1) % rows_); }

  private:
    void Hand(std::size_t start) {
        const std::size_t count = std::min(rows_, height_ - start);
        const std::size_t top = topDown_ ? start : height_ - start - count;
        out_.Put(static_cast<int>(top), static_cast<int>(count),
                 std::span(pixels_.data(), count * width_));
    }

    std::size_t width_;
    std::size_t height_;
    bool topDown_;
    std::size_t rows_;
    std::vector<std::uint32_t> pixels_;
    PictureBands& out_;
};

// Rows are mixed in blocks of this many bytes, each a whole number of
// pixels, which the compiler turns into vector instructions: the rows are
// kept a whole number of blocks long.
constexpr std::size_t kBlockBytes = 16;

void SetWeighted(const std::uint8_t* __restrict row, std::uint16_t weight, std::size_t bytes,
                 std::uint16_t* __restrict sums) {
    for (std::size_t block = 0; block < bytes; block += kBlockBytes) {
        for (std::size_t i = 0; i < kBlockBytes; ++i) {
            sums[block + i] = static_cast<std::uint16_t>(row[block + i] * weight);
        }
    }
}

void AddWeighted(const std::uint8_t* __restrict row, std::uint16_t weight, std::size_t bytes,
                 std::uint16_t* __restrict sums) {
    for (std::size_t block = 0; block < bytes; block += kBlockBytes) {
        for (std::size_t i = 0; i < kBlockBytes; ++i) {
            sums[block + i] = static_cast<std::uint16_t>(sums[block + i] + row[block + i] * weight);
        }
    }
}

// Mixes rows of bytes, weighted, into 16 bits a byte: 256ths of a level,
// kept unrounded until the pixels are mixed across.
void MixRows(std::span<const std::uint8_t* const> rows, const std::uint16_t* weights,
             std::size_t bytes, std::uint16_t* into) {
    bool first = true;
    for (std::size_t t = 0; t < rows.size(); ++t) {
        if (weights[t] == 0) continue;
        (first ? SetWeighted : AddWeighted)(rows[t], weights[t], bytes, into);
        first = false;
    }
}

// Mixes the pixels of one row across, over `taps` source pixels (a count
// the compiler knows unrolls the common cases), from four 16-bit values a
// pixel back to its four bytes: two values at a time, each in 32 bits of its
// own. Value k of a pixel lies in bits 16k of its 64 bits just as byte k of
// a pixel lies in bits 8k of its 32, whatever the machine's byte order.
template <typename Taps>
void MixAcross(const std::uint16_t* source, const AxisWeights& axis, Taps taps, std::uint32_t* into,
               std::size_t width) {
    constexpr std::uint64_t kEvenValues = 0x0000ffff0000ffffu;
    constexpr int kShift = 2 * kWeightBits;
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint16_t* pixels = source + 4 * axis.first[x];
        const std::uint16_t* weights = axis.weights.data() + x * taps;
        std::uint64_t even = 0;
        std::uint64_t odd = 0;
        for (std::size_t t = 0; t < taps; ++t) {
            std::uint64_t pixel = 0;
            std::memcpy(&pixel, pixels + 4 * t, sizeof pixel);
            even += (pixel & kEvenValues) * weights[t];
            odd += ((pixel >> 16) & kEvenValues) * weights[t];
        }
        // Truncated: a shade darker by half a level at most, as ImageMagick's
        // own resize comes out, and no byte overflows.
        even >>= kShift;
        odd >>= kShift;
        into[x] = static_cast<std::uint32_t>((even & 0xff) | (odd & 0xff) << 8 |
                                             (even >> 32 & 0xff) << 16 | (odd >> 32 & 0xff) << 24);
    }
}

void MixAcross(const std::uint16_t* source, const AxisWeights& axis, std::uint32_t* into,
               std::size_t width) {
    switch (axis.taps) {
        case 2:
            return MixAcross(source, axis, std::integral_constant<std::size_t, 2>(), into, width);
        case 3:
            return MixAcross(source, axis, std::integral_constant<std::size_t, 3>(), into, width);
        default:
            return MixAcross(source, axis, axis.taps, into, width);
    }
}

// The decoded rows, stretched to the screen's size. A picture of that size
// is decoded straight into the band; any other keeps each row only until
// the last screen row that mixes it is made.
class Stretching : public BitmapRowTarget {
  public:
    Stretching(std::size_t width, std::size_t height, PictureBands& out)
        : width_(width), height_(height), out_(out) {}

    bool Begin(const BitmapShape& shape) override {
        source_ = shape;
        sameSize_ = shape.width == width_ && shape.height == height_;
        try {
            band_.emplace(width_, height_, shape.topDown, out_);
            if (sameSize_) return true;
            across_ = Weights(shape.width, width_);
            down_ = Weights(shape.height, height_);
            constexpr std::size_t kBlockPixels = kBlockBytes / 4;
            keptWidth_ = (shape.width + kBlockPixels - 1) / kBlockPixels * kBlockPixels;
            kept_.resize(down_.taps * keptWidth_);
            mixed_.resize(4 * keptWidth_);
            mixedRows_.resize(down_.taps);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }
    RowBand Rows(std::size_t row) override {
        if (sameSize_) return band_->Row(row);
        if (row > 0) Received(row - 1);
        return {Kept(PictureRow(row, source_.height)), 0, 1};
    }
    void End() override {
        if (!sameSize_) Received(source_.height - 1);
        band_->HandLast();
    }

  private:
    std::size_t PictureRow(std::size_t row, std::size_t height) const {
        return source_.topDown ? row : height - 1 - row;
    }
    std::uint32_t* Kept(std::size_t pictureRow) {
        return kept_.data() + (pictureRow % down_.taps) * keptWidth_;
    }

    // Makes every screen row whose source rows have all arrived, in the
    // file's order.
    void Received(std::size_t row) {
        for (; made_ < height_; ++made_) {
            const std::size_t target = PictureRow(made_, height_);
            const std::size_t first = down_.first[target];
            const std::size_t needed =
                source_.topDown ? first + down_.taps - 1 : source_.height - 1 - first;
            if (needed > row) return;
            Make(target, band_->Row(made_).first);
        }
    }

    void Make(std::size_t target, std::uint32_t* into) {
        for (std::size_t t = 0; t < down_.taps; ++t) {
            mixedRows_[t] = reinterpret_cast<const std::uint8_t*>(Kept(down_.first[target] + t));
        }
        MixRows(mixedRows_, down_.weights.data() + target * down_.taps, 4 * keptWidth_,
                mixed_.data());
        MixAcross(mixed_.data(), across_, into, width_);
    }

    std::size_t width_;
    std::size_t height_;
    PictureBands& out_;
    BitmapShape source_;
    bool sameSize_ = false;
    std::optional<BandBuffer> band_;
    AxisWeights across_;
    AxisWeights down_;
    std::size_t keptWidth_ = 0;  // source pixels, a whole number of blocks
    std::vector<std::uint32_t> kept_;
    std::vector<std::uint16_t> mixed_;
    std::vector<const std::uint8_t*> mixedRows_;
    std::size_t made_ = 0;
};

}  // namespace

std::size_t LargestBandBytes(std::size_t width) {
    return std::max(kBandBytes, 4 * width);
}

std::string StretchPictureFile(const std::string& path, int width, int height,
                               const PixelFormat& format, PictureBands& out) {
    if (width <= 0 || height <= 0) return "the screen has no size";
    Stretching target(static_cast<std::size_t>(width), static_cast<std::size_t>(height), out);
    return posix::DecodeBitmapFileRows(path, format, target);
}

}  // namespace plimex::linux_desktop
