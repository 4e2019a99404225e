#include "linux_desktop/stretched_picture.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <new>

#include "linux_desktop/bitmap_file.h"

namespace plimex::linux_desktop {

namespace {

StretchedPicture Failure(std::string why) {
    StretchedPicture picture;
    picture.failure = std::move(why);
    return picture;
}

// A null canvas means Qt could not allocate it.
QImage Canvas(const QImage& image, int width, int height, const std::vector<ScreenArea>& monitors) {
    QImage canvas(width, height, QImage::Format_RGB32);
    if (canvas.isNull()) return canvas;
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

StretchedPicture LoadStretchedPicture(const std::string& path, int width, int height,
                                      const std::vector<ScreenArea>& monitors) {
    if (width <= 0 || height <= 0) return Failure("the screen has no size");
    DecodedBitmap bitmap = ReadBitmapFile(path, kOpaqueArgb32);
    if (!bitmap.failure.empty()) return Failure(std::move(bitmap.failure));
    const QImage image(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width,
                       bitmap.height, QImage::Format_RGB32);
    const QImage canvas = Canvas(image, width, height, monitors);
    if (canvas.isNull()) return Failure("not enough memory for the screen");

    StretchedPicture picture{width, height, {}, {}};
    try {
        picture.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory for the screen");
    }
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), line, line + width);
    }
    return picture;
}

}  // namespace plimex::linux_desktop
