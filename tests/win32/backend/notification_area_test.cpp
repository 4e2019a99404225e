#include <gtest/gtest.h>

#include "core/tray_icon_record.h"
#include "win32/ansi_code_page.h"
#include "win32/shell_notification_area.h"

namespace plimex::win32 {
namespace {

TEST(ShellNotificationArea, TheCoreRecordLandsInTheShellsFields) {
    TrayIconRecord record;
    record.cbSize = TrayIconRecord::kRecordSize;
    record.hWnd = 0x1234;
    record.uID = TrayIconRecord::kIconId;
    record.uFlags = TrayIconRecord::kAddFlags;
    record.uCallbackMessage = TrayIconRecord::kCallbackMessage;
    record.hIcon = 0xABCD;
    record.SetTip(L"Icône dans le system tray");

    const NOTIFYICONDATAA data = ToNotifyIconData(record.ToBuffer(SystemAnsiCodePage()));

    EXPECT_EQ(data.cbSize, NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(data.hWnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(data.hIcon, reinterpret_cast<HICON>(0xABCD));
    EXPECT_STREQ(data.szTip, SystemAnsiCodePage().ToAnsi(L"Icône dans le system tray").c_str());
    // What lies beyond the first form is not ours: it must read as zero.
    EXPECT_EQ(data.dwState, 0u);
    EXPECT_EQ(data.szInfo[0], '\0');
}

}  // namespace
}  // namespace plimex::win32
