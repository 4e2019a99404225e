#pragma once

#include <vector>

#include "core/form1.h"
#include "core/shown_caption.h"
#include "platform/controls.h"
#include "win32/dir_list_box.h"
#include "win32/drive_list_box.h"
#include "win32/file_list_box.h"
#include "win32/handles.h"
#include "win32/interval_timer.h"
#include "win32/option_button.h"
#include "win32/popup_menu.h"
#include "win32/preview_box.h"
#include "win32/shape_box.h"
#include "win32/tray_icon.h"
#include "win32/twips.h"
#include "win32/windows_api.h"
#include "win32/windows_folders.h"

namespace plimex::win32 {

// The main window and its controls, built from the layout table. Its window
// procedure hands the user's actions to the handlers of the core's Form1.
class Win32Form1Window : public MainWindow {
  public:
    static constexpr wchar_t kClassName[] = L"PlimexForm1";

    Win32Form1Window(HINSTANCE instance, Win32TrayIcon& tray);
    Win32Form1Window(const Win32Form1Window&) = delete;
    Win32Form1Window& operator=(const Win32Form1Window&) = delete;
    ~Win32Form1Window() override;

    Form1Controls Controls(AboutWindow& about);
    // From now on the user's actions reach the handlers.
    void Connect(Form1& form) { form_ = &form; }
    HWND Handle() const { return window_.get(); }
    const Twips& Scale() const { return scale_; }
    HFONT Font() const { return font_.get(); }

    void Show() override;
    void Hide() override;
    MenuItem PopupMenu() override;
    void Unload() override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void OnEnter();
    void OnMouseMove(LPARAM lParam);
    void OnPaint();
    void OnActivate(WPARAM wParam);
    void OpenSelectedFolder();

    HWND CreateMainWindow(HINSTANCE instance);
    std::vector<HWND> CreateControls();
    HWND Child(std::string_view name) const;
    int Id(std::string_view name) const;
    RECT Place(std::string_view name) const;
    Win32OptionButton Radio(std::string_view name) const;
    ShownCaption Caption(std::string_view name) const;

    Win32TrayIcon& tray_;
    Twips scale_;
    UniqueFont font_;
    Form1* form_ = nullptr;  // set before any window exists: the procedure reads it
    HWND focus_ = nullptr;
    UniqueWindow owner_;          // never shown: an owned window has no taskbar button
    UniqueWindow window_;         // let go once the system has destroyed it
    std::vector<HWND> children_;  // in the layout's order; null for windowless controls
    UINT taskbarCreated_;
    UINT showRequested_;

    win32::PopupMenu menu_;
    WindowsFolders folders_;
    Win32DriveListBox drive1_;
    Win32DirListBox dir1_;
    Win32FileListBox lstFic_;
    ShownCaption lblPap_;
    Win32IntervalTimer tmr_;
    Win32OptionButton option1_;
    Win32OptionButton option2_;
    Win32OptionButton option3_;
    Win32OptionButton option4_;
    Win32OptionButton option5_;
    ShownCaption command1_;
    ShownCaption activer_;
    Win32ShapeBox shape1_;
    RECT shape2_;
    Win32PreviewBox image1_;
};

}  // namespace plimex::win32
