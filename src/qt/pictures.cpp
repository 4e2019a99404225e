#include "qt/pictures.h"

#include <QImage>
#include <QImageReader>

// The resource file lives in a static library: its pictures register only
// when something asks for them, and anything that uses them links this file.
static int RegisterPictures() {
    Q_INIT_RESOURCE(plimex);
    return 0;
}
[[maybe_unused]] static const int kPicturesRegistered = RegisterPictures();

namespace plimex::qt {
namespace {

constexpr QRgb kTransparentKey = qRgb(255, 0, 255);
constexpr int kLargestScale = 3;

QIcon PixelArtIcon(const QList<QImage>& images) {
    QIcon icon;
    for (const QImage& image : images) {
        for (int scale = 1; scale <= kLargestScale; ++scale) {
            icon.addPixmap(QPixmap::fromImage(
                image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
        }
    }
    return icon;
}

}  // namespace

QIcon IconFromIconFile(const QString& path) {
    QImageReader reader(path);
    QList<QImage> images;
    do {
        const QImage image = reader.read();
        if (!image.isNull()) {
            images.append(image);
        }
    } while (reader.jumpToNextImage());
    return PixelArtIcon(images);
}

QIcon IconFromKeyedBitmap(const QString& path) {
    QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
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
