#include "wallpaper/stretched_picture.h"

#include <QByteArrayView>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <fstream>
#include <iterator>

namespace plimex {

namespace {

std::optional<QImage> LoadImage(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    QImage image =
        QImage::fromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (image.isNull()) return std::nullopt;
    return image;
}

QImage Canvas(const QImage& image, int width, int height, const std::vector<ScreenArea>& monitors) {
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (monitors.empty()) painter.drawImage(canvas.rect(), image);
    for (const ScreenArea& monitor : monitors) {
        painter.drawImage(QRect(monitor.x, monitor.y, monitor.width, monitor.height), image);
    }
    return canvas;
}

}  // namespace

std::optional<StretchedPicture> LoadStretchedPicture(const std::string& path, int width, int height,
                                                     const std::vector<ScreenArea>& monitors) {
    if (width <= 0 || height <= 0) return std::nullopt;
    const std::optional<QImage> image = LoadImage(path);
    if (!image) return std::nullopt;
    const QImage canvas = Canvas(*image, width, height, monitors);

    StretchedPicture picture{width, height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), line, line + width);
    }
    return picture;
}

}  // namespace plimex
