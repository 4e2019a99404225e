#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>

#include "linux_desktop/stretched_picture.h"
#include "posix/bitmap_file.h"
#include "qt/preview_box.h"

namespace plimex::qt {
namespace {

// What ImageMagick, a decoder of its own, reads from a picture file.
QImage DecodedByImageMagick(const QString& path, QSize size) {
    QProcess convert;
    convert.start(QStringLiteral("convert"),
                  {path, QStringLiteral("-depth"), QStringLiteral("8"), QStringLiteral("rgb:-")});
    if (!convert.waitForFinished(30000) || convert.exitCode() != 0) {
        return {};
    }
    const QByteArray rgb = convert.readAllStandardOutput();
    if (rgb.size() != qsizetype{3} * size.width() * size.height()) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(rgb.constData()), size.width(), size.height(),
                  3 * size.width(), QImage::Format_RGB888)
        .convertToFormat(QImage::Format_RGB32);
}

// The bands the X11 wallpaper is sent in, put together again.
class Gathered : public linux_desktop::PictureBands {
  public:
    explicit Gathered(QSize size) : image_(size, QImage::Format_RGB32) { image_.fill(Qt::red); }
    void Put(int top, int rows, std::span<std::uint32_t> pixels) override {
        std::copy(pixels.begin(), pixels.end(), reinterpret_cast<QRgb*>(image_.scanLine(top)));
        EXPECT_EQ(pixels.size(), std::size_t(rows) * image_.width());
    }
    const QImage& image() const { return image_; }

  private:
    QImage image_;
};

// The shipped samples are 8-bit run-length encoded bitmaps, a form that
// decoders get wrong more often than plain 24-bit ones: the preview and the
// bare X11 wallpaper must both read each one pixel for pixel.
TEST(SampleBackgroundsTest, ThePreviewAndTheX11WallpaperReadEverySampleExactly) {
    const QSize size(1920, 1080);
    const QDir folder(QStringLiteral(PLIMEX_SAMPLE_BACKGROUNDS));
    const QStringList names = folder.entryList({QStringLiteral("*.bmp")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    QtPreviewBox preview;
    preview.resize(size);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        const QImage expected = DecodedByImageMagick(path, size);
        ASSERT_FALSE(expected.isNull()) << name.toStdString();

        preview.ShowPicture(posix::ReadBitmapFile(path.toStdString(), kOpaqueArgb32));
        EXPECT_EQ(preview.picture().toImage().convertToFormat(QImage::Format_RGB32), expected)
            << name.toStdString();

        Gathered wallpaper(size);
        ASSERT_EQ(linux_desktop::StretchPictureFile(path.toStdString(), size.width(), size.height(),
                                                    kOpaqueArgb32, wallpaper),
                  "")
            << name.toStdString();
        EXPECT_EQ(wallpaper.image(), expected) << name.toStdString();
    }
}

}  // namespace
}  // namespace plimex::qt
