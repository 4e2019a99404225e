#include "core/form1.h"
#include "core/form1_events.h"
#include "core/texts.h"
#include "core/tray_message.h"

namespace plimex {

void Form1::PrepareOffStateIcon() {
    c_.Image3.SetPicture(c_.ImageList1.ExtractIcon(1));
}

void Form1::AddTrayIconAtStartup() {
    // A state that is neither on nor off keeps the record's icon, still none.
    PictureHandle icon = TrayIconData.hIcon;
    if (ActiveState == L"1") {
        icon = c_.Image2.Picture();
    }
    if (ActiveState == L"0") {
        icon = c_.Image3.Picture();
    }
    AddTrayIcon(icon, texts::kAppTitle);
}

// Every add and remove names the icon afresh: the window handle is read
// anew each time.
void Form1::IdentifyTrayIcon() {
    TrayIconData.cbSize = TrayIconRecord::kRecordSize;
    TrayIconData.hWnd = c_.Form1.hWnd();
    TrayIconData.uID = TrayIconRecord::kIconId;
}

void Form1::RemoveTrayIcon() {
    IdentifyTrayIcon();
    platform_.notificationArea.Delete(TrayIconData);
}

void Form1::AddTrayIcon(PictureHandle icon, std::wstring_view tip) {
    IdentifyTrayIcon();
    TrayIconData.uFlags = TrayIconRecord::kAddFlags;
    TrayIconData.uCallbackMessage = TrayIconRecord::kCallbackMessage;
    TrayIconData.hIcon = icon;
    TrayIconData.SetTip(tip);
    platform_.notificationArea.Add(TrayIconData);
}

void Form1::Toggle(const std::wstring& decidingCaption) {
    const bool switchOn = decidingCaption == texts::kActiver;
    const std::wstring caption(switchOn ? texts::kDesactiver : texts::kActiver);
    c_.Activer.SetCaption(caption);
    c_.Command1.SetCaption(caption);
    c_.Tmr.SetEnabled(switchOn);
    ActiveState = switchOn ? L"1" : L"0";
    const PictureHandle icon = switchOn ? c_.Image2.Picture() : c_.Image3.Picture();

    RemoveTrayIcon();
    AddTrayIcon(icon, texts::kToggledTip);
}

void Form1::Activer_Click() {
    Toggle(c_.Activer.Caption());
}

void Form1::Command1_Click() {
    Toggle(c_.Command1.Caption());
    SaveOptions();
}

void Form1::Form_MouseMove(int /*button*/, int /*shift*/, float x, float /*y*/) {
    TrayCallback(DecodeTrayMessage(x, c_.Screen.TwipsPerPixelX()));
}

void Form1::TrayCallback(std::int32_t message) {
    TrayMessage = message;
    TrayRequest(TrayIntentOf(message));
}

// Busy while the menu is open: a report arriving meanwhile opens neither a
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
        RaiseEvent(*this, c_.Form1.PopupMenu(), ControlEvent::Click);
    }
    TrayBusy = false;
}

}  // namespace plimex
