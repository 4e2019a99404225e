#pragma once

#include "platform/controls.h"
#include "win32/twips.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The About window: built afresh from the layout at every opening, modal
// over the main window, and gone completely once closed.
class Win32Form2Dialog : public AboutWindow {
  public:
    static constexpr wchar_t kClassName[] = L"PlimexForm2";

    Win32Form2Dialog(HINSTANCE instance, HWND mainWindow, const Twips& scale, HFONT font);
    void ShowModal() override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    HWND mainWindow_;
    Twips scale_;
    HFONT font_;
};

}  // namespace plimex::win32
