#include "linux_desktop/stretched_picture.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <new>

#include "posix/bitmap_file.h"
#include "posix/reserved_pixels.h"

namespace plimex::linux_desktop {

namespace {

StretchedPicture Failure(std::string why) {
    StretchedPicture picture;
    picture.failure = std::move(why);
    return picture;
}

bool ShownAsItIs(const DecodedBitmap& bitmap, int width, int height,
                 const std::vector<ScreenArea>& monitors) {
    const ScreenArea screen{0, 0, width, height};
    return bitmap.width == width && bitmap.height == height &&
           (monitors.empty() || (monitors.size() == 1 && monitors.front() == screen));
}

// Qt paints straight into the screen's buffer: the screen is held once.
void Stretch(const DecodedBitmap& bitmap, StretchedPicture& picture,
             const std::vector<ScreenArea>& monitors) {
    const QImage image(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width,
                       bitmap.height, QImage::Format_RGB32);
    QImage canvas(reinterpret_cast<uchar*>(picture.pixels.data()), picture.width, picture.height,
                  QImage::Format_RGB32);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (monitors.empty()) painter.drawImage(canvas.rect(), image);
    for (const ScreenArea& monitor : monitors) {
        painter.drawImage(QRect(monitor.x, monitor.y, monitor.width, monitor.height), image);
    }
}

}  // namespace

StretchedPicture LoadStretchedPicture(const std::string& path, int width, int height,
                                      const std::vector<ScreenArea>& monitors,
                                      const PixelFormat& format) {
    if (width <= 0 || height <= 0) return Failure("the screen has no size");
    DecodedBitmap bitmap = posix::ReadBitmapFile(path, format);
    if (!bitmap.failure.empty()) return Failure(std::move(bitmap.failure));
    if (ShownAsItIs(bitmap, width, height, monitors)) {
        return {width, height, std::move(bitmap.pixels), {}};
    }
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    StretchedPicture picture{width, height, posix::ReservedPixels(count), {}};
    try {
        // Black: no colour bits, only the fixed ones.
        picture.pixels.assign(count, format.fixedBits);
    } catch (const std::bad_alloc&) {
        return Failure("not enough memory for the screen");
    }
    Stretch(bitmap, picture, monitors);
    return picture;
}

}  // namespace plimex::linux_desktop
