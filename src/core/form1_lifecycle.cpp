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
    // longer than the system takes) would leave the lists on nothing: show the
    // default folder instead, but keep the saved one until the user chooses.
    const std::string savedFolder = storableFolder_;
    const bool savedFolderExists = platform_.fileSystem.IsFolder(Ansi(ImageFolder));
    if (!savedFolderExists) {
        platform_.diagnostics.ReportFailure(
            "Form_Load", Ansi(ImageFolder),
            "the saved folder cannot be shown; the default folder is listed instead, and the "
            "saved one stays saved until the user chooses another");
    }
    const bool listed =
        SetDir1Path(savedFolderExists ? ImageFolder : platform_.fileSystem.DefaultImageFolder());
    if (!savedFolderExists) {
        storableFolder_ = savedFolder;
    }
    if (c_.Drive1.SetDrive(ImageFolder)) {
        Drive1_Change();
    }
    // Showing the folder has listed it already: a large folder is read once.
    if (!listed) {
        FillFileList();
    }
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
