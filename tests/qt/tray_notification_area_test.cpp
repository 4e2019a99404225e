#include "qt/tray_notification_area.h"

#include <gtest/gtest.h>

#include <QPixmap>

#include "core/tray_icon_record.h"
#include "qt/locale_code_page.h"

namespace plimex::qt {
namespace {

class TrayNotificationAreaTest : public ::testing::Test {
  protected:
    NotifyIconBuffer Record(std::uint32_t id, PictureHandle icon, std::wstring_view tip) const {
        TrayIconRecord record;
        record.cbSize = TrayIconRecord::kRecordSize;
        record.uID = id;
        record.hIcon = icon;
        record.SetTip(tip);
        return record.ToBuffer(codePage);
    }

    LocaleCodePage codePage;
    IconRegistry icons;
    TrayNotificationArea area{icons, codePage};
};

TEST_F(TrayNotificationAreaTest, AddShowsTheRegisteredIconWithTheTip) {
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const PictureHandle handle = icons.Add(QIcon(red));

    EXPECT_TRUE(area.ShellNotifyIconA(NotificationArea::kNimAdd, Record(1, handle, L"Icône")));
    EXPECT_TRUE(area.icon().isVisible());
    EXPECT_EQ(area.icon().toolTip(), "Icône");
    EXPECT_EQ(area.icon().icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
}

TEST_F(TrayNotificationAreaTest, AnIconWithoutAPictureStillHoldsItsPlace) {
    EXPECT_TRUE(area.ShellNotifyIconA(NotificationArea::kNimAdd, Record(1, 0, L"Plimex 2000")));
    EXPECT_TRUE(area.icon().isVisible());
    EXPECT_FALSE(area.icon().icon().isNull());
    EXPECT_EQ(area.icon().icon().pixmap(16, 16).toImage().pixelColor(8, 8).alpha(), 0);
}

TEST_F(TrayNotificationAreaTest, TheIconExistsOnceAndGoesOnlyByItsIdentifier) {
    EXPECT_FALSE(area.ShellNotifyIconA(NotificationArea::kNimDelete, Record(1, 0, L"")));
    ASSERT_TRUE(area.ShellNotifyIconA(NotificationArea::kNimAdd, Record(1, 0, L"first")));
    EXPECT_FALSE(area.ShellNotifyIconA(NotificationArea::kNimAdd, Record(1, 0, L"second")));
    EXPECT_EQ(area.icon().toolTip(), "first");
    EXPECT_FALSE(area.ShellNotifyIconA(NotificationArea::kNimDelete, Record(2, 0, L"")));
    EXPECT_TRUE(area.icon().isVisible());
    EXPECT_TRUE(area.ShellNotifyIconA(NotificationArea::kNimDelete, Record(1, 0, L"")));
    EXPECT_FALSE(area.icon().isVisible());
    EXPECT_FALSE(area.ShellNotifyIconA(1, Record(1, 0, L"")));  // NIM_MODIFY is not offered
}

}  // namespace
}  // namespace plimex::qt
