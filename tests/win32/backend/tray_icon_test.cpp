#include "win32/tray_icon.h"

#include <gtest/gtest.h>

#include <cstring>

#include "gui_fixture.h"
#include "win32/system_ansi_code_page.h"

namespace plimex::win32 {
namespace {

constexpr bool k64Bit = sizeof(void*) == 8;

// The shell's 88-byte first form, written out: six little-endian 32-bit
// fields, then the 64-byte tip.
std::string FirstFormBytes(HWND window, HICON icon, const std::string& tip) {
    std::string bytes;
    for (const auto field :
         {88u, static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)), 1u, 7u, 512u,
          static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(icon))}) {
        for (int i = 0; i < 4; ++i) {
            bytes += static_cast<char>(field >> (8 * i));
        }
    }
    return bytes + tip + '\0' + std::string(64 - tip.size() - 1, ' ');
}

using Win32TrayIconTest = testing::WindowTest;

// The shell gets the same record as ever: the add names the window, the
// identifier 1, the flags 7, the callback 512 (WM_MOUSEMOVE), the picture and
// the tip in the code page; the remove sets only its three fields.
TEST_F(Win32TrayIconTest, AddAndRemoveHandTheShellTheKeptFirstFormRecord) {
    const SystemAnsiCodePage codePage;
    Win32TrayIcon tray(codePage, GetModuleHandleW(nullptr));
    tray.ReportTo(Window());
    EXPECT_EQ(tray.PictureOf(TrayPicture::None), nullptr);
    // Each call to the shell takes Wine about a second here: two pictures do.
    for (const TrayPicture picture : {TrayPicture::On, TrayPicture::Off}) {
        EXPECT_NE(tray.PictureOf(picture), nullptr);
        ASSERT_TRUE(tray.Add(picture, L"Icône dans le system tray"));
        ASSERT_TRUE(tray.Remove());
        const NOTIFYICONDATAA& record = tray.record();
        // "ô" is the single byte 0xF4 of Windows-1252.
        const std::string expected =
            FirstFormBytes(Window(), tray.PictureOf(picture), "Ic\xF4ne dans le system tray");
        if (!k64Bit) {
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record), 88), expected);
        }
        EXPECT_EQ(record.cbSize, k64Bit ? 104u : 88u);
        EXPECT_EQ(record.hWnd, Window());
        EXPECT_EQ(record.uID, 1u);
        EXPECT_EQ(record.uFlags, 7u);
        EXPECT_EQ(record.uCallbackMessage, 512u);
        EXPECT_EQ(record.hIcon, tray.PictureOf(picture));
        EXPECT_EQ(std::string(record.szTip, 64), expected.substr(24));
        EXPECT_EQ(record.dwState, 0u);  // beyond the first form: not ours
    }
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

TEST_F(Win32TrayIconTest, TheTipIsCutToWholeCharactersSoThatItsNulAlwaysFits) {
    const TwoByteLatin1CodePage twoBytes;
    Win32TrayIcon tray(twoBytes, GetModuleHandleW(nullptr));
    tray.ReportTo(Window());
    tray.Add(TrayPicture::On, std::wstring(40, L'é'));
    EXPECT_EQ(std::string_view(tray.record().szTip).size(), 62u);  // never half a character

    const SystemAnsiCodePage codePage;
    Win32TrayIcon wide(codePage, GetModuleHandleW(nullptr));
    wide.ReportTo(Window());
    wide.Add(TrayPicture::On, std::wstring(70, L'x'));
    EXPECT_EQ(std::string_view(wide.record().szTip), std::string(63, 'x'));
}

}  // namespace
}  // namespace plimex::win32
