#include "qt/pictures.h"

#include <QFile>
#include <QImage>
#include <cstring>
#include <span>

#include "core/bitmap_decoder.h"

// The resource file lives in a static library: its pictures register only
// when something asks for them, and anything that uses them links this file.
static int RegisterPictures() {
    Q_INIT_RESOURCE(plimex);
    return 0;
}
[[maybe_unused]] static const int kPicturesRegistered = RegisterPictures();

namespace plimex::qt {

// Qt's image readers would do, but the first use of one looks through
// every image format plugin, and Qt's icon file reader makes its mask with a
// painter whose colour tables take milliseconds to build: together they cost
// the tray icon a quarter of the program's start-up. The pictures are the
// program's own bitmaps, which its own decoder reads.
namespace {

constexpr QRgb kTransparentKey = qRgb(255, 0, 255);
constexpr int kLargestScale = 3;

// Each pixel repeated into a square block. QImage::scaled would paint the
// copy, and its painter starts a pool of threads and waits for them: for an
// icon of a few pixels, that wait is most of the cost.
QImage Enlarged(const QImage& image, int scale) {
    QImage enlarged(image.size() * scale, image.format());
    for (int y = 0; y < enlarged.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y / scale));
        auto* line = reinterpret_cast<QRgb*>(enlarged.scanLine(y));
        for (int x = 0; x < enlarged.width(); ++x) {
            line[x] = source[x / scale];
        }
    }
    return enlarged;
}

QIcon PixelArtIcon(const QList<QImage>& images) {
    QIcon icon;
    for (const QImage& image : images) {
        for (int scale = 1; scale <= kLargestScale; ++scale) {
            icon.addPixmap(QPixmap::fromImage(Enlarged(image, scale)));
        }
    }
    return icon;
}

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kIconEntryBytes = 16;

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = value << 8 | (at + i < bytes.size() ? bytes[at + i] : 0u);
    }
    return value;
}

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

QByteArray ResourceBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::span<const std::uint8_t> BytesOf(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

QImage ImageOf(const DecodedBitmap& bitmap) {
    if (!bitmap.failure.empty()) {
        return {};
    }
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        std::memcpy(image.scanLine(y),
                    bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width,
                    static_cast<std::size_t>(bitmap.width) * 4);
    }
    return image;
}

// An icon file's image is a bitmap without its file header, twice as high
// as it shows: its colours, then a mask of one bit a pixel that marks the
// transparent ones, each bottom row first.
QImage IconImage(std::span<const std::uint8_t> dib) {
    const std::uint32_t infoBytes = LittleEndian(dib, 0, 4);
    const auto width = static_cast<std::int32_t>(LittleEndian(dib, 4, 4));
    const auto height = static_cast<std::int32_t>(LittleEndian(dib, 8, 4)) / 2;
    const std::uint32_t bitsPerPixel = LittleEndian(dib, 14, 2);
    const std::uint32_t coloursUsed = LittleEndian(dib, 32, 4);
    if (infoBytes < 40 || width <= 0 || height <= 0 || width > 256 || height > 256) {
        return {};
    }
    const std::uint32_t paletteColours = coloursUsed != 0    ? coloursUsed
                                         : bitsPerPixel <= 8 ? 1u << bitsPerPixel
                                                             : 0u;
    const std::size_t colourBytes = infoBytes + 4 * std::size_t{paletteColours};
    const std::size_t rowBytes = (std::size_t(width) * bitsPerPixel + 31) / 32 * 4;
    const std::size_t maskRowBytes = (std::size_t(width) + 31) / 32 * 4;
    const std::size_t maskAt = colourBytes + rowBytes * std::size_t(height);

    std::vector<std::uint8_t> file(kFileHeaderBytes);
    file[0] = 'B';
    file[1] = 'M';
    file.insert(file.end(), dib.begin(), dib.end());
    PutLittleEndian(file, 2, static_cast<std::uint32_t>(file.size()));
    PutLittleEndian(file, 10, static_cast<std::uint32_t>(kFileHeaderBytes + colourBytes));
    PutLittleEndian(file, kFileHeaderBytes + 8, static_cast<std::uint32_t>(height));
    QImage image = ImageOf(DecodeBitmap(file, kOpaqueArgb32));
    if (image.isNull() || maskAt + maskRowBytes * std::size_t(height) > dib.size()) {
        return {};
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* mask = dib.data() + maskAt + maskRowBytes * std::size_t(height - 1 - y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if ((mask[x / 8] >> (7 - x % 8) & 1) != 0) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return image;
}

}  // namespace

QIcon IconFromIconFile(const QString& path) {
    const QByteArray data = ResourceBytes(path);
    const std::span<const std::uint8_t> bytes = BytesOf(data);
    const std::size_t count = LittleEndian(bytes, 4, 2);
    QList<QImage> images;
    for (std::size_t entry = 0; entry < count; ++entry) {
        const std::size_t at = 6 + entry * kIconEntryBytes;
        const std::size_t size = LittleEndian(bytes, at + 8, 4);
        const std::size_t offset = LittleEndian(bytes, at + 12, 4);
        if (offset > bytes.size() || size > bytes.size() - offset) {
            continue;
        }
        const QImage image = IconImage(bytes.subspan(offset, size));
        if (!image.isNull()) {
            images.append(image);
        }
    }
    return PixelArtIcon(images);
}

QIcon IconFromKeyedBitmap(const QString& path) {
    QImage image = ImageOf(DecodeBitmap(BytesOf(ResourceBytes(path)), kOpaqueArgb32));
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == (kTransparentKey & RGB_MASK)) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return PixelArtIcon({image});
}

}  // namespace plimex::qt
