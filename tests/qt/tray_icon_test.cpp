#include "qt/tray_icon.h"

#include <gtest/gtest.h>

#include "qt/pictures.h"

namespace plimex::qt {
namespace {

QRgb Centre(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().pixel(8, 8);
}

class QtTrayIconTest : public ::testing::Test {
  protected:
    void SetUp() override { tray.SetAreaAvailable(true); }

    QtTrayIcon tray;
};

// On, off, or no picture: the empty icon still holds its place.
TEST_F(QtTrayIconTest, EachPictureShowsWithItsTip) {
    const struct {
        TrayPicture picture;
        QIcon expected;
    } cases[] = {{TrayPicture::On, IconFromIconFile(pictures::kAppIcon)},
                 {TrayPicture::Off, IconFromKeyedBitmap(pictures::kImageList1)},
                 {TrayPicture::None, QIcon()}};
    for (const auto& c : cases) {
        ASSERT_TRUE(tray.Add(c.picture, L"Icône"));
        ASSERT_NE(tray.icon(), nullptr);
        EXPECT_TRUE(tray.icon()->isVisible());
        EXPECT_EQ(tray.icon()->toolTip(), "Icône");
        EXPECT_FALSE(tray.icon()->icon().isNull());
        const QRgb expected = c.expected.isNull() ? qRgba(0, 0, 0, 0) : Centre(c.expected);
        EXPECT_EQ(Centre(tray.icon()->icon()), expected) << static_cast<int>(c.picture);
        ASSERT_TRUE(tray.Remove());
    }
}

TEST_F(QtTrayIconTest, TheIconExistsOnce) {
    EXPECT_FALSE(tray.Remove());
    ASSERT_TRUE(tray.Add(TrayPicture::On, L"first"));
    EXPECT_FALSE(tray.Add(TrayPicture::Off, L"second"));
    ASSERT_NE(tray.icon(), nullptr);
    EXPECT_EQ(tray.icon()->toolTip(), "first");
    EXPECT_TRUE(tray.Remove());
    EXPECT_FALSE(tray.icon()->isVisible());
}

// Qt chooses the icon's protocol when the icon is made: not before an area
// exists to show it.
TEST(QtTrayIconWaitTest, AnIconAddedWithoutAnAreaWaitsForOne) {
    QtTrayIcon waiting;
    ASSERT_TRUE(waiting.Add(TrayPicture::None, L"Plimex 2000"));
    EXPECT_EQ(waiting.icon(), nullptr);
    waiting.SetAreaAvailable(true);
    ASSERT_NE(waiting.icon(), nullptr);
    EXPECT_TRUE(waiting.icon()->isVisible());
    EXPECT_EQ(waiting.icon()->toolTip(), "Plimex 2000");
}

}  // namespace
}  // namespace plimex::qt
