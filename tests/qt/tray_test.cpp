#include <gtest/gtest.h>

#include "qt/icon_box.h"
#include "qt/tray_activation.h"

namespace plimex::qt {
namespace {

TEST(TrayActivationTest, EachProtocolsActivationsAskForTheWindowOrTheMenu) {
    using enum QSystemTrayIcon::ActivationReason;
    using enum TrayIntent;
    const auto xembed = TrayProtocol::XEmbed;
    const auto sni = TrayProtocol::StatusNotifierItem;
    const struct {
        QSystemTrayIcon::ActivationReason reason;
        TrayProtocol protocol;
        TrayIntent intent;
    } cases[] = {
        {DoubleClick, xembed, OpenWindow},
        {Context, xembed, ShowMenu},
        {Trigger, xembed, None},
        {MiddleClick, xembed, None},
        {QSystemTrayIcon::Unknown, xembed, None},
        {Trigger, sni, OpenWindow},
        {Context, sni, ShowMenu},
        {MiddleClick, sni, None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrayIntentOf(c.reason, c.protocol), c.intent) << c.reason;
    }
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
