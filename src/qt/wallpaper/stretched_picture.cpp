#include "wallpaper/stretched_picture.h"

#include <QByteArrayView>
#include <QImage>
#include <fstream>
#include <iterator>

namespace plimex {

std::optional<StretchedPicture> LoadStretchedPicture(const std::string& path, int width,
                                                     int height) {
    std::ifstream file(path, std::ios::binary);
    if (!file || width <= 0 || height <= 0) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const QImage image =
        QImage::fromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (image.isNull()) return std::nullopt;
    const QImage scaled =
        image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);

    StretchedPicture picture{width, height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), line, line + width);
    }
    return picture;
}

}  // namespace plimex
