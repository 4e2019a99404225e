#include "win32/form1_window.h"

#include <optional>

#include "core/form1_events.h"
#include "core/layout.h"
#include "win32/child_controls.h"
#include "win32/control_ids.h"
#include "win32/single_instance.h"
#include "win32/tray_report.h"
#include "win32/window_class.h"

namespace plimex::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;

const layout::Window& Layout() {
    return layout::MainWindow();
}

POINT FrameOffset(const layout::Control& control) {
    if (control.container.empty()) {
        return {0, 0};
    }
    const layout::Control& frame = layout::Get(Layout(), control.container);
    return {frame.left, frame.top};
}

// The event a control's notification stands for. The notification codes of
// buttons and list boxes share their numbers, so the kind of control decides.
std::optional<ControlEvent> EventOf(layout::Kind kind, int code) {
    if ((kind == layout::Kind::CommandButton || kind == layout::Kind::OptionButton) &&
        code == BN_CLICKED) {
        return ControlEvent::Click;
    }
    if (kind == layout::Kind::ListBox && code == LBN_SELCHANGE) {
        return ControlEvent::Click;
    }
    if (kind == layout::Kind::ListBox && code == LBN_DBLCLK) {
        return ControlEvent::DblClick;
    }
    return std::nullopt;
}

}  // namespace

Win32Form1Window::Win32Form1Window(HINSTANCE instance, Win32TrayIcon& tray)
    : tray_(tray),
      font_(MessageFont()),
      owner_(CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                             nullptr)),
      window_(CreateMainWindow(instance)),
      children_(CreateControls()),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      showRequested_(SingleInstance::ShowMessage()),
      drive1_(Child("Drive1"), folders_),
      dir1_(Child("Dir1"), folders_),
      lstFic_(Child("LstFic")),
      lblPap_(Caption("LblPap")),
      tmr_(window_.get(), kTimerId, layout::kTimerIntervalMs),
      option1_(Radio("Option1")),
      option2_(Radio("Option2")),
      option3_(Radio("Option3")),
      option4_(Radio("Option4")),
      option5_(Radio("Option5")),
      command1_(Caption("Command1")),
      activer_(std::wstring(layout::PopupMenu()[layout::MenuIndex("Activer")].caption),
               [this](const std::wstring& text) { menu_.SetItemText("Activer", text); }),
      shape1_(window_.get(), scale_, Place("Shape1"), layout::Get(Layout(), "Shape1").left,
              static_cast<COLORREF>(layout::Get(Layout(), "Shape1").colourBgr)),
      shape2_(Place("Shape2")),
      image1_(Child("Image1")) {
    // The window lives in the tray, not on the taskbar.
    SetWindowLongPtrW(window_.get(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_.get()));
    tray_.ReportTo(window_.get());
    SendMessageW(Child("Dir1"), LB_SETITEMHEIGHT, 0, LineHeight(font_.get()) + 2);
}

Win32Form1Window::~Win32Form1Window() {
    // A window still there goes while its controls' objects live; the form,
    // gone before it, hears nothing of it.
    form_ = nullptr;
    window_.reset();
}

HWND Win32Form1Window::CreateMainWindow(HINSTANCE instance) {
    RegisterWindowClass(instance, WindowProc, kClassName);
    return CreateLayoutWindow(kClassName, Layout(), scale_, this);
}

std::vector<HWND> Win32Form1Window::CreateControls() {
    std::vector<HWND> children;
    for (const layout::Control& control : Layout().controls) {
        children.push_back(CreateLayoutControl(window_.get(), control, Id(control.name), scale_,
                                               FrameOffset(control), font_.get()));
    }
    return children;
}

int Win32Form1Window::Id(std::string_view name) const {
    return ControlId(Layout(), name);
}

HWND Win32Form1Window::Child(std::string_view name) const {
    return children_.at(static_cast<std::size_t>(Id(name) - kFirstControlId));
}

RECT Win32Form1Window::Place(std::string_view name) const {
    const layout::Control& control = layout::Get(Layout(), name);
    return LayoutRect(control, scale_, FrameOffset(control));
}

ShownCaption Win32Form1Window::Caption(std::string_view name) const {
    return ShownCaption(
        std::wstring(layout::Get(Layout(), name).caption),
        [window = Child(name)](const std::wstring& text) { SetWindowTextW(window, text.c_str()); });
}

Win32OptionButton Win32Form1Window::Radio(std::string_view name) const {
    return Win32OptionButton(window_.get(), Id(name), Id("Option1"), Id("Option5"));
}

Form1Controls Win32Form1Window::Controls(AboutWindow& about) {
    return Form1Controls{drive1_,  dir1_,    lstFic_,  lblPap_,  tmr_,      option1_,
                         option2_, option3_, option4_, option5_, command1_, activer_,
                         shape1_,  image1_,  *this,    about};
}

void Win32Form1Window::Show() {
    ShowWindow(window_.get(), SW_SHOW);
    SetForegroundWindow(window_.get());
}

void Win32Form1Window::Hide() {
    ShowWindow(window_.get(), SW_HIDE);
}

MenuItem Win32Form1Window::PopupMenu() {
    return menu_.Track(window_.get());
}

void Win32Form1Window::Unload() {
    DestroyWindow(window_.get());
}

LRESULT CALLBACK Win32Form1Window::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Form1Window*>(CreationData(window, message, lParam));
    if (self == nullptr || self->form_ == nullptr) {
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The system destroyed it, by Unload or otherwise: nothing is left to destroy.
        static_cast<void>(self->window_.release());
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT Win32Form1Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_) {
        tray_.RestoreAfterShellRestart();
        return 0;
    }
    if (message == showRequested_) {
        // A second start in this program's folder asks for its window.
        if (wParam == SingleInstance::FolderNumber()) {
            RaiseEvent(*form_, "Ouvrir", ControlEvent::Click);
        }
        return 0;
    }
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kTimerId) {
                RaiseEvent(*form_, "Tmr", ControlEvent::Timer);
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.hwndItem == Child("Image1")) {
                image1_.Draw(item);
            } else if (item.hwndItem == Child("Dir1")) {
                dir1_.Draw(item);
            }
            return TRUE;
        }
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case WM_CLOSE:
            form_->Unload();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                form_->Unload();
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_.get(), message, wParam, lParam);
    }
}

void Win32Form1Window::OnCommand(int id, int code) {
    if (id == IDOK) {
        OnEnter();
    } else if (id == Id("Drive1") && code == CBN_SELCHANGE) {
        RaiseEvent(*form_, "Drive1", ControlEvent::Change);
    } else if (id == Id("Dir1") && code == LBN_DBLCLK) {
        OpenSelectedFolder();
    } else if (id >= kFirstControlId && id < kFirstControlId + std::ssize(Layout().controls)) {
        const layout::Control& control =
            Layout().controls[static_cast<std::size_t>(id - kFirstControlId)];
        if (const std::optional<ControlEvent> event = EventOf(control.kind, code)) {
            RaiseEvent(*form_, control.name, *event);
        }
    }
}

// The dialog manager reports Enter as IDOK: it opens the selected folder in
// the folder list and presses a focused button, as keyboard users expect.
void Win32Form1Window::OnEnter() {
    HWND focus = GetFocus();
    if (focus == Child("Dir1")) {
        OpenSelectedFolder();
    }
    for (const char* button : {"CmdSel", "Command1", "Command2", "Command4"}) {
        if (focus == Child(button)) {
            SendMessageW(focus, BM_CLICK, 0, 0);
        }
    }
}

void Win32Form1Window::OpenSelectedFolder() {
    if (const std::optional<std::wstring> path = dir1_.SelectedPath()) {
        form_->Dir1_Open(*path);
    }
}

void Win32Form1Window::OnMouseMove(LPARAM lParam) {
    if (IsTrayReport(window_.get(), lParam, GetMessagePos())) {
        form_->TrayRequest(TrayIntentOfReport(lParam));
    }
}

void Win32Form1Window::OnPaint() {
    const PaintScope paint(window_.get());
    PaintOutline(paint.Get(), shape2_);
    shape1_.Paint(paint.Get());
}

void Win32Form1Window::OnActivate(WPARAM wParam) {
    // Give the focus back to the control that had it when the window was left.
    if (LOWORD(wParam) == WA_INACTIVE) {
        focus_ = GetFocus();
    } else if (focus_ != nullptr && IsChild(window_.get(), focus_)) {
        SetFocus(focus_);
    } else {
        SetFocus(Child("Drive1"));
    }
}

}  // namespace plimex::win32
