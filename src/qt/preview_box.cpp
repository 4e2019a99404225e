#include "qt/preview_box.h"

#include <QPainter>
#include <utility>

namespace plimex::qt {

bool QtPreviewBox::ShowPicture(DecodedBitmap bitmap) {
    const QImage decoded(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width,
                         bitmap.height, QImage::Format_RGB32);
    // Scaled once here rather than at every repaint of a large bitmap. A
    // picture of the box's size is not scaled, and the pixmap would share the
    // decoder's buffer, freed on return: only then are the pixels copied.
    const QSize pixels = size() * devicePixelRatioF();
    QImage image = decoded.size() == pixels
                       ? decoded.copy()
                       : decoded.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture_ = image.isNull() ? QPixmap() : QPixmap::fromImage(std::move(image));
    picture_.setDevicePixelRatio(devicePixelRatioF());
    update();
    return !picture_.isNull();
}

void QtPreviewBox::paintEvent(QPaintEvent* /*event*/) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}

}  // namespace plimex::qt
