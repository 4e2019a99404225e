#include <gtest/gtest.h>

#include <cstring>

#include "core/tray_icon_record.h"
#include "win32/ansi_code_page.h"
#include "win32/icon_box.h"
#include "win32/shell_notification_area.h"

namespace plimex::win32 {
namespace {

constexpr bool k64Bit = sizeof(void*) == 8;

// A handle value with its top bit set, and what it is at this program's width.
constexpr std::uint32_t kHighHandle = 0x80001234u;
constexpr std::uintptr_t kHighHandleWidened =
    k64Bit ? static_cast<std::uintptr_t>(0xFFFFFFFF80001234ull) : kHighHandle;

TEST(ShellNotificationArea, TheCoreRecordBecomesThisWidthsFirstForm) {
    TrayIconRecord record;
    record.cbSize = TrayIconRecord::kRecordSize;
    record.hWnd = kHighHandle;
    record.uID = TrayIconRecord::kIconId;
    record.uFlags = TrayIconRecord::kAddFlags;
    record.uCallbackMessage = TrayIconRecord::kCallbackMessage;
    record.hIcon = kHighHandle + 1;
    record.SetTip(L"Icône dans le system tray");
    const NotifyIconBuffer buffer = record.ToBuffer(SystemAnsiCodePage());

    const NOTIFYICONDATAA data = ToNotifyIconData(buffer);

    EXPECT_EQ(data.cbSize, k64Bit ? 104u : 88u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data.hWnd), kHighHandleWidened);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data.hIcon), kHighHandleWidened + 1);
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_STREQ(data.szTip, SystemAnsiCodePage().ToAnsi(L"Icône dans le system tray").c_str());
    if (!k64Bit) {
        EXPECT_EQ(std::memcmp(&data, buffer.data(), buffer.size()), 0)
            << "a 32-bit program hands the shell the record byte for byte";
    }
    // What lies beyond the first form is not ours: it must read as zero.
    EXPECT_EQ(data.dwState, 0u);
    EXPECT_EQ(data.szInfo[0], '\0');
}

TEST(IconBox, PictureHandlesWidenBySignExtension) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(ToIcon(kHighHandle)), kHighHandleWidened);
    EXPECT_EQ(ToPictureHandle(ToIcon(kHighHandle)), kHighHandle);
}

}  // namespace
}  // namespace plimex::win32
