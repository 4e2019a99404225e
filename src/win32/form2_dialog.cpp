#include "win32/form2_dialog.h"

#include <array>

#include "core/layout.h"
#include "win32/child_controls.h"
#include "win32/control_ids.h"
#include "win32/handles.h"
#include "win32/message_loop.h"
#include "win32/resource_ids.h"
#include "win32/window_class.h"

namespace plimex::win32 {
namespace {

const layout::Window& Layout() {
    return layout::AboutWindow();
}

int CloseButtonId() {
    return ControlId(Layout(), "Command1");
}

// What one opening of the window holds; freed once the window is gone.
struct Opening {
    UniqueFont titleFont;
    std::array<UniqueBitmap, 2> pictures;
};

UniqueBitmap LoadBitmapResource(HINSTANCE instance, int id) {
    return UniqueBitmap(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void CreateControls(HWND window, const Twips& scale, HFONT font, const Opening& opening) {
    std::size_t picture = 0;
    for (const layout::Control& control : Layout().controls) {
        const bool title = control.kind == layout::Kind::CentredTitle;
        HWND child = CreateLayoutControl(window, control, ControlId(Layout(), control.name), scale,
                                         POINT{0, 0}, title ? opening.titleFont.get() : font);
        if (control.kind == layout::Kind::PictureBox && picture < opening.pictures.size()) {
            SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(opening.pictures[picture++].get()));
        }
    }
}

// The main window is enabled again before the About window goes, so that it,
// and not another program, becomes the active window.
void Close(HWND window, HWND mainWindow) {
    EnableWindow(mainWindow, TRUE);
    DestroyWindow(window);
}

}  // namespace

Win32Form2Dialog::Win32Form2Dialog(HINSTANCE instance, HWND mainWindow, const Twips& scale,
                                   HFONT font)
    : instance_(instance), mainWindow_(mainWindow), scale_(scale), font_(font) {
    RegisterWindowClass(instance_, WindowProc, Win32Form2Dialog::kClassName);
}

LRESULT CALLBACK Win32Form2Dialog::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    HWND mainWindow = reinterpret_cast<HWND>(CreationData(window, message, lParam));
    // Enter and Escape arrive as IDOK and IDCANCEL: neither closes the window.
    const bool closeClicked =
        message == WM_COMMAND && LOWORD(wParam) == CloseButtonId() && HIWORD(wParam) == BN_CLICKED;
    if (closeClicked || message == WM_CLOSE) {
        Close(window, mainWindow);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Form2Dialog::ShowModal() {
    const Opening opening{TitleFont(scale_),
                          {LoadBitmapResource(instance_, PLIMEX_ABOUT1_BITMAP),
                           LoadBitmapResource(instance_, PLIMEX_ABOUT2_BITMAP)}};
    // No owner: the window stands on its own, and the main window only
    // refuses input while it is open.
    HWND window = CreateLayoutWindow(kClassName, Layout(), scale_, mainWindow_);
    CreateControls(window, scale_, font_, opening);
    EnableWindow(mainWindow_, FALSE);
    ShowWindow(window, SW_SHOW);
    SetFocus(GetDlgItem(window, CloseButtonId()));

    int exitCode = 0;
    while (IsWindow(window)) {
        if (!DeliverNextMessage(exitCode)) {
            // The program is ending: let the outer loop see it too.
            PostQuitMessage(exitCode);
            Close(window, mainWindow_);
        }
    }
    if (IsWindowVisible(mainWindow_)) {
        SetForegroundWindow(mainWindow_);
    }
}

}  // namespace plimex::win32
