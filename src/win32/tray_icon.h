#pragma once

#include "platform/ansi_code_page.h"
#include "platform/tray_icon.h"
#include "win32/handles.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The program's icon in the shell's notification area, added and removed
// with one kept record: each call sets only its own fields. It remembers
// whether the icon is shown, so that the icon can come back when the shell
// itself restarts.
class Win32TrayIcon : public TrayIcon {
  public:
    static constexpr UINT kIconId = 1;

    Win32TrayIcon(const AnsiCodePage& codePage, HINSTANCE instance);

    // The window that the shell reports the icon's mouse actions to.
    void ReportTo(HWND window) { window_ = window; }
    bool Add(TrayPicture picture, std::wstring_view tip) override;
    bool Remove() override;
    // Adds the shown icon again, after the shell announced a new taskbar.
    void RestoreAfterShellRestart();

    HICON PictureOf(TrayPicture picture) const;
    // The record in the shell's first form: at 32 bits its 88-byte layout,
    // at 64 bits the wider one. What lies beyond the first form stays zero.
    const NOTIFYICONDATAA& record() const { return record_; }

  private:
    void IdentifyIcon();
    bool Notify(DWORD message);

    const AnsiCodePage& codePage_;
    UniqueIcon on_;   // the application icon
    UniqueIcon off_;  // made from the image list's one image
    HWND window_ = nullptr;
    NOTIFYICONDATAA record_{};
    bool shown_ = false;
};

}  // namespace plimex::win32
