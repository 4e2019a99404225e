#include "core/form1.h"

namespace plimex {

void Form1::Drive1_Change() {
    // The folder current on a drive is the one the folder list already shows
    // there; only a move to another drive takes the list to that drive's root.
    // So setting the drive at start-up never undoes the saved folder.
    if (c_.Drive1.DriveOf(c_.Dir1.Path()) != c_.Drive1.Drive()) {
        SetDir1Path(c_.Drive1.Drive());
    }
}

bool Form1::SetDir1Path(const std::wstring& path) {
    if (!c_.Dir1.SetPath(path)) {
        return false;
    }
    Dir1_Change();
    return true;
}

void Form1::Dir1_Change() {
    std::wstring folder = c_.Dir1.Path();
    const wchar_t separator = platform_.fileSystem.PathSeparator();
    if (folder.empty() || folder.back() != separator) {
        folder += separator;
    }
    const std::optional<std::wstring> nameable = NameableInCodePage(folder);
    if (!nameable) {
        // Every file of it would reach the system, the label and the options
        // file under another name, or none: nothing of it is listed.
        platform_.diagnostics.ReportFailure(
            "Dir1_Change", Ansi(folder),
            "the folder's name holds characters the system's code page lacks, and the system "
            "keeps no short name for it: choose another folder");
        c_.LstFic.Clear();
        return;
    }
    ImageFolder = *nameable;
    RememberFolderIfStorable();
    FillFileList();
}

// The code page turns a character it lacks into "?": such a path would name
// another file or none. The system's short name, in plain letters, names the
// same file.
std::optional<std::wstring> Form1::NameableInCodePage(const std::wstring& path) const {
    const AnsiCodePage& codePage = platform_.codePage;
    if (codePage.FromAnsi(Ansi(path)) == path) {
        return path;
    }
    const std::wstring shortPath = platform_.fileSystem.ShortPath(path);
    if (codePage.FromAnsi(Ansi(shortPath)) == shortPath) {
        return shortPath;
    }
    return std::nullopt;
}

// The names stay as the system gives them: the list decodes only those it shows.
void Form1::FillFileList() {
    c_.LstFic.Clear();
    c_.LstFic.AddItems(platform_.fileSystem.FindNormalFiles(Ansi(ImageFolder + L"*.bmp")));
}

std::wstring Form1::SelectedEntryPath() const {
    return ImageFolder + c_.LstFic.List(c_.LstFic.ListIndex());
}

void Form1::LstFic_Click() {
    // A click on an empty list selects nothing; there is no file to show.
    if (c_.LstFic.ListIndex() == -1) {
        return;
    }
    const std::string path = Ansi(SelectedEntryPath());
    if (!c_.Image1.LoadPicture(path)) {
        platform_.diagnostics.ReportFailure("Image1", path,
                                            "not a bitmap the preview can show; the box is empty");
    }
}

void Form1::CmdSel_Click() {
    if (c_.LstFic.ListIndex() == -1) {
        return;
    }
    ApplyWallpaper(SelectedEntryPath());
}

void Form1::LstFic_DblClick() {
    CmdSel_Click();
}

}  // namespace plimex
