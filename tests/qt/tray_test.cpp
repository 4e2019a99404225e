#include <gtest/gtest.h>

#include "qt/icon_box.h"
#include "qt/tray_activation.h"

namespace plimex::qt {
namespace {

TEST(TrayActivationTest, DoubleClickAndContextAreTheOnlyMessagesOnXEmbed) {
    const auto xembed = TrayProtocol::XEmbed;
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::DoubleClick, xembed), 515);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Context, xembed), 517);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Trigger, xembed), std::nullopt);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::MiddleClick, xembed), std::nullopt);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Unknown, xembed), std::nullopt);
}

TEST(TrayActivationTest, AStatusNotifierActivationStandsForTheDoubleClick) {
    const auto sni = TrayProtocol::StatusNotifierItem;
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Trigger, sni), 515);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Context, sni), 517);
    EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::MiddleClick, sni), std::nullopt);
}

TEST(IconBoxTest, OwnsOneRegisteredIconAndFreesTheOneItReplaces) {
    IconRegistry registry;
    const PictureHandle first = registry.Add(QIcon());
    {
        IconBox box(registry, first);
        const PictureHandle second = registry.Add(QIcon());
        EXPECT_NE(second, first);
        box.SetPicture(second);
        EXPECT_EQ(box.Picture(), second);
        EXPECT_EQ(registry.Count(), 1u);
        box.SetPicture(second);
        EXPECT_EQ(registry.Count(), 1u);
    }
    EXPECT_EQ(registry.Count(), 0u);
}

}  // namespace
}  // namespace plimex::qt
