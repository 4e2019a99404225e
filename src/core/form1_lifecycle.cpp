#include "core/form1.h"

namespace plimex {

Form1::Form1(Platform platform, Form1Controls controls) : platform_(platform), c_(controls) {}

std::string Form1::Ansi(std::wstring_view text) const {
    return platform_.codePage.ToAnsi(text);
}

void Form1::Form_Load() {
    LoadOptions();
    AddTrayIconAtStartup();
    c_.Form1.Hide();

    // A saved folder that is gone (a removed drive, a deleted folder, a path
    // longer than the system takes) would leave the lists on nothing: the
    // default folder shows instead, but the saved one stays saved until the
    // user chooses. Whether it is gone is known only once it has been read, and
    // a share may take seconds to say: until then the window answers and shows
    // no folder.
    Dir1_Open(ImageFolder, platform_.fileSystem.DefaultImageFolder());
    if (ActiveState == L"1") {
        RotateWallpaper();
    }
}

void Form1::Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    Form_QueryUnload();
    Form_Unload();
    c_.Form1.Unload();
}

void Form1::Form_QueryUnload() {
    RemoveTrayIcon();
}

void Form1::Form_Unload() {
    SaveOptions();
}

void Form1::Quitter_Click() {
    Unload();
}

void Form1::Ouvrir_Click() {
    c_.Form1.Show();
}

void Form1::Command4_Click() {
    c_.Form1.Hide();
}

void Form1::Command2_Click() {
    c_.Form2.ShowModal();
}

}  // namespace plimex
