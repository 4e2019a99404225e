#include "qt/pictures.h"

#include <gtest/gtest.h>

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

TEST(PicturesTest, TheApplicationIconHasBothImagesOfItsFile) {
    const QIcon icon = IconFromIconFile(pictures::kAppIcon);
    for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(64, 64), QSize(96, 96)}) {
        EXPECT_TRUE(icon.availableSizes().contains(size)) << size.width();
    }
}

TEST(PicturesTest, TheAboutPicturesHaveTheirFixedSize) {
    EXPECT_EQ(QPixmap(pictures::kAbout1).size(), QSize(142, 150));
    EXPECT_EQ(QPixmap(pictures::kAbout2).size(), QSize(142, 150));
    EXPECT_EQ(QPixmap(pictures::kImage3).size(), QSize(33, 33));
}

}  // namespace
}  // namespace plimex::qt
