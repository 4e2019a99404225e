#include <gtest/gtest.h>

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

}  // namespace
}  // namespace plimex::qt
