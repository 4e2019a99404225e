#include "qt/tray_notification_area.h"

#include <gtest/gtest.h>

#include <QPixmap>

namespace plimex::qt {
namespace {

class TrayNotificationAreaTest : public ::testing::Test {
  protected:
    void SetUp() override { area.SetAreaAvailable(true); }

    static TrayIconRecord Record(std::uint32_t id, PictureHandle icon, std::wstring_view tip) {
        TrayIconRecord record;
        record.cbSize = TrayIconRecord::kRecordSize;
        record.uID = id;
        record.hIcon = icon;
        record.SetTip(tip);
        return record;
    }

    IconRegistry icons;
    TrayNotificationArea area{icons};
};

TEST_F(TrayNotificationAreaTest, AddShowsTheRegisteredIconWithTheTip) {
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const PictureHandle handle = icons.Add(QIcon(red));

    EXPECT_TRUE(area.Add(Record(1, handle, L"Icône")));
    ASSERT_NE(area.icon(), nullptr);
    EXPECT_TRUE(area.icon()->isVisible());
    EXPECT_EQ(area.icon()->toolTip(), "Icône");
    EXPECT_EQ(area.icon()->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
}

TEST_F(TrayNotificationAreaTest, AnIconWithoutAPictureStillHoldsItsPlace) {
    EXPECT_TRUE(area.Add(Record(1, 0, L"Plimex 2000")));
    ASSERT_NE(area.icon(), nullptr);
    EXPECT_TRUE(area.icon()->isVisible());
    EXPECT_FALSE(area.icon()->icon().isNull());
    EXPECT_EQ(area.icon()->icon().pixmap(16, 16).toImage().pixelColor(8, 8).alpha(), 0);
}

TEST_F(TrayNotificationAreaTest, TheIconExistsOnceAndGoesOnlyByItsIdentifier) {
    EXPECT_FALSE(area.Delete(Record(1, 0, L"")));
    ASSERT_TRUE(area.Add(Record(1, 0, L"first")));
    EXPECT_FALSE(area.Add(Record(1, 0, L"second")));
    ASSERT_NE(area.icon(), nullptr);
    EXPECT_EQ(area.icon()->toolTip(), "first");
    EXPECT_FALSE(area.Delete(Record(2, 0, L"")));
    EXPECT_TRUE(area.icon()->isVisible());
    EXPECT_TRUE(area.Delete(Record(1, 0, L"")));
    EXPECT_FALSE(area.icon()->isVisible());
}

// Qt chooses the icon's protocol when the icon is made: not before an area
// exists to show it.
TEST_F(TrayNotificationAreaTest, AnIconAddedWithoutAnAreaWaitsForOne) {
    TrayNotificationArea waiting{icons};
    ASSERT_TRUE(waiting.Add(Record(1, 0, L"Plimex 2000")));
    EXPECT_EQ(waiting.icon(), nullptr);
    waiting.SetAreaAvailable(true);
    ASSERT_NE(waiting.icon(), nullptr);
    EXPECT_TRUE(waiting.icon()->isVisible());
    EXPECT_EQ(waiting.icon()->toolTip(), "Plimex 2000");
}

}  // namespace
}  // namespace plimex::qt
