#pragma once

#include <vector>

#include "core/form1.h"
#include "platform/controls.h"
#include "win32/bitmap_image_list.h"
#include "win32/drive_combo.h"
#include "win32/folder_list.h"
#include "win32/handles.h"
#include "win32/icon_box.h"
#include "win32/popup_menu.h"
#include "win32/radio_button.h"
#include "win32/shapes.h"
#include "win32/shell_notification_area.h"
#include "win32/sorted_list_box.h"
#include "win32/stretched_preview.h"
#include "win32/twips_scale.h"
#include "win32/window_caption.h"
#include "win32/window_timer.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// The main window and its controls, built from the layout table. Its window
// procedure hands the user's actions to the handlers of the core's Form1.
class MainForm : public MainWindow, public Screen {
  public:
    static constexpr wchar_t kClassName[] = L"PlimexForm1";

    MainForm(HINSTANCE instance, ShellNotificationArea& tray);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;
    ~MainForm() override;

    Form1Controls Controls(AboutWindow& about);
    // From now on the user's actions reach the handlers.
    void Attach(Form1& form) { form_ = &form; }
    HWND Handle() const { return window_; }
    const TwipsScale& Scale() const { return scale_; }
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

    ShellNotificationArea& tray_;
    TwipsScale scale_;
    UniqueFont font_;
    Form1* form_ = nullptr;  // set before any window exists: the procedure reads it
    HWND focus_ = nullptr;
    UniqueWindow owner_;  // never shown: an owned window has no taskbar button
    HWND window_;
    std::vector<HWND> children_;  // in the layout's order; null for windowless controls
    UINT taskbarCreated_;

    win32::PopupMenu menu_;
    DriveCombo drive1_;
    FolderList dir1_;
    SortedListBox lstFic_;
    WindowCaption lblPap_;
    WindowTimer tmr_;
    RadioButton option1_;
    RadioButton option2_;
    RadioButton option3_;
    RadioButton option4_;
    RadioButton option5_;
    WindowCaption command1_;
    MenuItemCaption activer_;
    ProgressShape shape1_;
    RECT shape2_;
    StretchedPreview image1_;
    HeldIcon image2_;
    HeldIcon image3_;
    BitmapImageList imageList1_;
};

}  // namespace plimex::win32
