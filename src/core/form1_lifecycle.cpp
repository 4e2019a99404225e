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

    ShowStartUpFolder();
    if (ActiveState == L"1") {
        RotateWallpaper();
    }
}

// A saved folder that is gone (a removed drive, a deleted folder, a path
// longer than the system takes) would leave the lists on nothing: the default
// folder shows instead, but the saved one stays saved until the user chooses.
// Whether it is gone is known only once it has been read, and a share may take
// seconds to say: until then the window answers and shows no folder.
void Form1::ShowStartUpFolder() {
    const std::uint64_t read = StartFolderRead();
    const DirList& dir1 = c_.Dir1;
    const FileSystem& fileSystem = platform_.fileSystem;
    platform_.work.Run([this, read, &dir1, &fileSystem, saved = ImageFolder,
                        savedAnsi = Ansi(ImageFolder), fallback = fileSystem.DefaultImageFolder()] {
        // The file system bounds the wait on a share that stopped answering,
        // and says so; the folder list alone would wait for it for good.
        std::optional<FolderTree> tree;
        if (fileSystem.IsFolder(savedAnsi)) {
            tree = dir1.Read(saved);
        }
        const bool savedShown = tree.has_value();
        if (!savedShown) {
            tree = dir1.Read(fallback);
        }
        return [this, read, savedShown, tree = std::move(tree)]() mutable {
            StartUpFolderArrived(read, savedShown, std::move(tree));
        };
    });
}

void Form1::StartUpFolderArrived(std::uint64_t read, bool savedFolderShown,
                                 std::optional<FolderTree> tree) {
    if (unloaded_ || read != latestFolderRead_) {
        return;
    }
    if (!savedFolderShown) {
        platform_.diagnostics.ReportFailure(
            "Form_Load", Ansi(ImageFolder),
            "the saved folder cannot be shown; the default folder is listed instead, and the "
            "saved one stays saved until the user chooses another");
    }
    const std::string savedFolder = storableFolder_;
    const bool listed = ShowFolderRead(std::move(tree));
    if (!savedFolderShown) {
        storableFolder_ = savedFolder;
    }
    // A folder the list cannot show is listed all the same; one it shows has
    // been listed already: a large folder is read once.
    if (!listed) {
        FillFileList();
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
