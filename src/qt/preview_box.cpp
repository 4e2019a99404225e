#include "qt/preview_box.h"

#include <QPainter>

#include "linux_desktop/bitmap_file.h"

namespace plimex::qt {

void PreviewBox::LoadPicture(const std::string& path) {
    // Our own decoder, bounds-checked and size-limited, rather than the
    // toolkit's: a crafted bitmap must not read outside its pixels.
    const DecodedBitmap bitmap = linux_desktop::ReadBitmapFile(path, kOpaqueArgb32);
    // A deep copy: the pixmap may share the image's buffer, which would
    // otherwise be the decoder's, freed on return.
    const QImage image = QImage(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width,
                                bitmap.height, QImage::Format_RGB32)
                             .copy();
    // Scaled once here rather than at every repaint of a large bitmap.
    const QSize pixels = size() * devicePixelRatioF();
    picture_ = image.isNull() ? QPixmap()
                              : QPixmap::fromImage(image.scaled(pixels, Qt::IgnoreAspectRatio,
                                                                Qt::SmoothTransformation));
    picture_.setDevicePixelRatio(devicePixelRatioF());
    update();
}

void PreviewBox::paintEvent(QPaintEvent* /*event*/) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

}  // namespace plimex::qt
