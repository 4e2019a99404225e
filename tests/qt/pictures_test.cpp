#include "qt/pictures.h"

#include <gtest/gtest.h>

#include <QImageReader>
#include <QPixmap>

namespace plimex::qt {
namespace {

TEST(PicturesTest, TheOffIconIsTransparentWhereTheBitmapIsMagentaAndSharpWhenScaled) {
    const QIcon icon = IconFromKeyedBitmap(pictures::kImageList1);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(33, 33)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(99, 99)));

    const QImage source(pictures::kImageList1);
    ASSERT_EQ(source.pixelColor(0, 0), QColor(255, 0, 255)) << "the corner is background";
    const QImage twice = icon.pixmap(QSize(66, 66)).toImage();
    ASSERT_EQ(twice.size(), QSize(66, 66));
    EXPECT_EQ(qAlpha(twice.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(twice.pixel(1, 1)), 0);
    // Every pixel of the bitmap became a 2 × 2 block of exactly its colour.
    for (int y = 0; y < 33; ++y) {
        for (int x = 0; x < 33; ++x) {
            const QRgb original = source.pixel(x, y);
            if (original == qRgb(255, 0, 255)) {
                continue;
            }
            ASSERT_EQ(twice.pixel(2 * x + 1, 2 * y + 1), original) << x << "," << y;
        }
    }
}

// Qt's own reader of icon files is the reference for both images of ours:
// their colours and their mask.
TEST(PicturesTest, TheApplicationIconShowsBothImagesOfItsFileAsQtReadsThem) {
    const QIcon icon = IconFromIconFile(pictures::kAppIcon);
    QImageReader reader(pictures::kAppIcon);
    for (const int scale : {1, 3}) {
        ASSERT_TRUE(reader.jumpToImage(scale == 1 ? 1 : 0));
        const QImage expected = reader.read().convertToFormat(QImage::Format_ARGB32);
        const QSize size = expected.size() * scale;
        const QImage shown = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(shown.size(), size);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb want = expected.pixel(x / scale, y / scale);
                const QRgb got = shown.pixel(x, y);
                ASSERT_EQ(qAlpha(got), qAlpha(want)) << size.width() << ": " << x << "," << y;
                if (qAlpha(want) != 0) {
                    ASSERT_EQ(got, want) << size.width() << ": " << x << "," << y;
                }
            }
        }
    }
}

TEST(PicturesTest, TheAboutPicturesHaveTheirFixedSize) {
    EXPECT_EQ(QPixmap(pictures::kAbout1).size(), QSize(142, 150));
    EXPECT_EQ(QPixmap(pictures::kAbout2).size(), QSize(142, 150));
}

}  // namespace
}  // namespace plimex::qt
