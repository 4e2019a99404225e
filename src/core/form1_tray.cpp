#include "core/form1.h"
#include "core/texts.h"

namespace plimex {

void Form1::AddTrayIconAtStartup() {
    // A saved state that is neither on nor off shows no picture.
    TrayPicture picture = TrayPicture::None;
    if (ActiveState == L"1") {
        picture = TrayPicture::On;
    }
    if (ActiveState == L"0") {
        picture = TrayPicture::Off;
    }
    AddTrayIcon(picture, texts::kAppTitle);
}

// A failure leaves the program without its icon until the next toggle adds
// it anew: the user can still reach the window by starting the program again.
void Form1::RemoveTrayIcon() {
    if (!platform_.trayIcon.Remove()) {
        platform_.diagnostics.ReportFailure("tray icon", "", "the desktop had no icon to remove");
    }
}

void Form1::AddTrayIcon(TrayPicture picture, std::wstring_view tip) {
    if (!platform_.trayIcon.Add(picture, tip)) {
        platform_.diagnostics.ReportFailure(
            "tray icon", "", "the desktop refused the icon; the next toggle adds it again");
    }
}

void Form1::Toggle(const std::wstring& decidingCaption) {
    const bool switchOn = decidingCaption == texts::kActiver;
    const std::wstring caption(switchOn ? texts::kDesactiver : texts::kActiver);
    c_.Activer.SetCaption(caption);
    c_.Command1.SetCaption(caption);
    c_.Tmr.SetEnabled(switchOn);
    ActiveState = switchOn ? L"1" : L"0";

    RemoveTrayIcon();
    AddTrayIcon(switchOn ? TrayPicture::On : TrayPicture::Off, texts::kToggledTip);
}

void Form1::Activer_Click() {
    Toggle(c_.Activer.Caption());
}

void Form1::Command1_Click() {
    Toggle(c_.Command1.Caption());
    SaveOptions();
}

// Busy while the menu is open: a request arriving meanwhile opens neither a
// second menu nor the window.
void Form1::TrayRequest(TrayIntent intent) {
    if (TrayBusy) {
        return;
    }
    TrayBusy = true;
    if (intent == TrayIntent::OpenWindow) {
        c_.Form1.Show();
    }
    if (intent == TrayIntent::ShowMenu) {
        Menu_Click(c_.Form1.PopupMenu());
    }
    TrayBusy = false;
}

void Form1::Menu_Click(MenuItem item) {
    switch (item) {
        case MenuItem::Activer:
            Activer_Click();
            break;
        case MenuItem::Ouvrir:
            Ouvrir_Click();
            break;
        case MenuItem::Quitter:
            Quitter_Click();
            break;
        case MenuItem::None:
            break;
    }
}

}  // namespace plimex
