#include "qt/preview_box.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include "qt/regular_file.h"

namespace plimex::qt {
namespace {

// The file is opened by its exact bytes: a name that is not valid in the
// locale can never be mistaken for another file on the way.
QImage ReadImage(const std::string& path) {
    const UniqueFd fd = OpenRegularFile(path);
    QFile file;
    if (!fd.valid() || !file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        return {};
    }
    QImageReader reader(&file);
    return reader.read();
}

}  // namespace

void PreviewBox::LoadPicture(const std::string& path) {
    const QImage image = ReadImage(path);
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
