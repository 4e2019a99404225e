#include "win32/tray_notification_area.h"

#include <gtest/gtest.h>

#include <cstring>

#include "win32/icon_box.h"
#include "win32/system_ansi_code_page.h"

namespace plimex::win32 {
namespace {

constexpr bool k64Bit = sizeof(void*) == 8;

// A handle value with its top bit set, and what it is at this program's width.
constexpr std::uint32_t kHighHandle = 0x80001234u;
constexpr std::uintptr_t kHighHandleWidened =
    k64Bit ? static_cast<std::uintptr_t>(0xFFFFFFFF80001234ull) : kHighHandle;

TrayIconRecord AddRecord(std::wstring_view tip) {
    TrayIconRecord record;
    record.cbSize = TrayIconRecord::kRecordSize;
    record.hWnd = kHighHandle;
    record.uID = TrayIconRecord::kIconId;
    record.uFlags = TrayIconRecord::kAddFlags;
    record.uCallbackMessage = TrayIconRecord::kCallbackMessage;
    record.hIcon = kHighHandle + 1;
    record.SetTip(tip);
    return record;
}

// The shell's 88-byte first form, written out: six little-endian 32-bit
// fields, then the 64-byte tip.
std::string FirstFormBytes(const std::string& tip) {
    std::string bytes;
    for (std::uint32_t field : {88u, kHighHandle, 1u, 7u, 512u, kHighHandle + 1}) {
        for (int i = 0; i < 4; ++i) {
            bytes += static_cast<char>(field >> (8 * i));
        }
    }
    return bytes + tip + '\0' + std::string(64 - tip.size() - 1, ' ');
}

TEST(TrayNotificationArea, TheRecordBecomesThisWidthsFirstForm) {
    const SystemAnsiCodePage codePage;
    const NOTIFYICONDATAA data =
        ToNotifyIconData(AddRecord(L"Icône dans le system tray"), codePage);

    if (!k64Bit) {
        // "ô" is the single byte 0xF4 of Windows-1252.
        const std::string expected = FirstFormBytes("Ic\xF4ne dans le system tray");
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&data), 88), expected);
    }
    EXPECT_EQ(data.cbSize, k64Bit ? 104u : 88u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data.hWnd), kHighHandleWidened);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data.hIcon), kHighHandleWidened + 1);
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_STREQ(data.szTip, "Ic\xF4ne dans le system tray");
    // What lies beyond the first form is not ours: it must read as zero.
    EXPECT_EQ(data.dwState, 0u);
    EXPECT_EQ(data.szInfo[0], '\0');
}

// A multi-byte code page, as the Far Eastern ANSI code pages are.
class TwoByteLatin1CodePage : public AnsiCodePage {
  public:
    std::string ToAnsi(std::wstring_view text) const override {
        std::string bytes;
        for (wchar_t c : text) {
            if (c >= 0x80) {
                bytes += static_cast<char>(0xC0 | (c >> 6));
                c = 0x80 | (c & 0x3F);
            }
            bytes += static_cast<char>(c);
        }
        return bytes;
    }
    std::wstring FromAnsi(std::string_view) const override { return L""; }
};

TEST(TrayNotificationArea, TheTipIsCutToWholeCharactersSoThatItsNulAlwaysFits) {
    const TwoByteLatin1CodePage codePage;
    const std::string_view tip =
        ToNotifyIconData(AddRecord(std::wstring(40, L'é')), codePage).szTip;
    EXPECT_EQ(tip.size(), 62u);  // 31 two-byte characters, never half of one

    const SystemAnsiCodePage systemCodePage;
    EXPECT_EQ(
        std::string_view(ToNotifyIconData(AddRecord(std::wstring(70, L'x')), systemCodePage).szTip),
        std::string(63, 'x'));
}

TEST(IconBox, PictureHandlesWidenBySignExtension) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(ToIcon(kHighHandle)), kHighHandleWidened);
    EXPECT_EQ(ToPictureHandle(ToIcon(kHighHandle)), kHighHandle);
}

}  // namespace
}  // namespace plimex::win32
