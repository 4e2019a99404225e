#include <gtest/gtest.h>

#include <clocale>

#include "core/tray_icon_record.h"
#include "qt/icon_box.h"
#include "qt/locale_code_page.h"
#include "qt/notify_icon_record.h"
#include "qt/tray_activation.h"

namespace plimex::qt {
namespace {

TEST(NotifyIconRecordTest, DecodesTheIdentifierIconAndTipTheCoreEncoded) {
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    const LocaleCodePage codePage;
    TrayIconRecord record;
    record.uID = 1;
    record.hIcon = 0x01020304;
    record.SetTip(L"Icône dans le system tray");

    const NotifyIconRecord decoded = DecodeNotifyIconRecord(record.ToBuffer(codePage), codePage);
    EXPECT_EQ(decoded.uID, 1u);
    EXPECT_EQ(decoded.hIcon, 0x01020304u);
    EXPECT_EQ(decoded.tip, L"Icône dans le system tray");
    std::setlocale(LC_ALL, "C");
}

TEST(NotifyIconRecordTest, ATipFillingTheWholeRecordEndsAtItsEnd) {
    const LocaleCodePage codePage;
    NotifyIconBuffer buffer{};
    std::fill(buffer.begin() + 24, buffer.end(), std::uint8_t{'x'});
    EXPECT_EQ(DecodeNotifyIconRecord(buffer, codePage).tip, std::wstring(64, L'x'));
}

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
