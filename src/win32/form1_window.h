#pragma once

#include <vector>

#include "core/form1.h"
#include "core/shown_caption.h"
#include "platform/controls.h"
#include "win32/bitmap_image_list.h"
#include "win32/dir_list_box.h"
#include "win32/drive_list_box.h"
#include "win32/file_list_box.h"
#include "win32/handles.h"
#include "win32/icon_box.h"
#include "win32/interval_timer.h"
#include "win32/popup_menu.h"
#include "win32/preview_box.h"
#include "win32/radio_button.h"
#include "win32/shape_box.h"
#include "win32/tray_notification_area.h"
#include "win32/twips.h"
#include "win32/windows_api.h"
#include "win32/windows_folders.h"

namespace plimex::win32 {

// The main window and its controls, built from the layout table. Its window
// procedure hands the user's actions to the handlers of the core's Form1.
class Form1Window : public MainWindow, public Screen {
  public:
    static constexpr wchar_t kClassName[] = L"PlimexForm1";

    Form1Window(HINSTANCE instance, TrayNotificationArea& tray);
    Form1Window(const Form1Window&) = delete;
    Form1Window& operator=(const Form1Window&) = delete;
    ~Form1Window() override;

    Form1Controls Controls(AboutWindow& about);
    // From now on the user's actions reach the handlers.
    void Attach(Form1& form) { form_ = &form; }
    HWND Handle() const { return window_; }
    const Twips& Scale() const { return scale_; }
    HFONT Font() const { return font_.get(); }

    void Show() override;
    void Hide() override;
    std::string_view PopupMenu() override;
    std::uint32_t hWnd() const override;
    void SetTaskVisible(bool visible) override;
    void Unload() override;
    float TwipsPerPixelX() const override { return scale_.TwipsPerPixelX(); }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void OnEnter();
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnActivate(WPARAM wParam);
    void OpenSelectedFolder();
    void ChangeDrive();

    HWND CreateMainWindow(HINSTANCE instance);
    std::vector<HWND> CreateControls();
    HWND Child(std::string_view name) const;
    int Id(std::string_view name) const;
    RECT Place(std::string_view name) const;
    RadioButton Radio(std::string_view name) const;
    ShownCaption Caption(std::string_view name) const;

    TrayNotificationArea& tray_;
    Twips scale_;
    UniqueFont font_;
    Form1* form_ = nullptr;  // set before any window exists: the procedure reads it
    HWND focus_ = nullptr;
    UniqueWindow owner_;  // never shown: an owned window has no taskbar button
    HWND window_;
    std::vector<HWND> children_;  // in the layout's order; null for windowless controls
    UINT taskbarCreated_;
    UINT showRequested_;

    win32::PopupMenu menu_;
    WindowsFolders folders_;
    DriveListBox drive1_;
    DirListBox dir1_;
    FileListBox lstFic_;
    ShownCaption lblPap_;
    IntervalTimer tmr_;
    RadioButton option1_;
    RadioButton option2_;
    RadioButton option3_;
    RadioButton option4_;
    RadioButton option5_;
    ShownCaption command1_;
    ShownCaption activer_;
    ShapeBox shape1_;
    RECT shape2_;
    PreviewBox image1_;
    HeldIcon image2_;
    HeldIcon image3_;
    BitmapImageList imageList1_;
};

}  // namespace plimex::win32
