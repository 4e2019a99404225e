#include "qt/shape_box.h"

#include <QPainter>

namespace plimex::qt {

QtShapeBox::QtShapeBox(const Twips& twips, Style style, QColor fill)
    : twips_(twips), style_(style), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void QtShapeBox::SetShapeGeometry(const QRect& shape, int widest) {
    if (!widthSet_) {
        drawnWidth_ = shape.width();
    }
    setGeometry(shape.x(), shape.y(), std::max(widest, shape.width()), shape.height());
}

void QtShapeBox::SetWidth(float twips) {
    const int pixels = twips_.ToPixels(twips);
    widthSet_ = true;
    if (pixels == drawnWidth_) {
        return;
    }
    const int changedFrom = std::min(pixels, drawnWidth_);
    const int changedTo = std::max(pixels, drawnWidth_);
    drawnWidth_ = pixels;
    // Only the strip that changed; on a hidden window update() does nothing.
    update(changedFrom, 0, changedTo - changedFrom, height());
}

void QtShapeBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect drawn(0, 0, drawnWidth_, height());
    if (style_ == Style::Filled) {
        painter.fillRect(drawn, fill_);
        return;
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(drawn.adjusted(0, 0, -1, -1));
}

}  // namespace plimex::qt
