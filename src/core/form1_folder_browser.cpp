#include <memory>
#include <utility>

#include "core/form1.h"

namespace plimex {

void Form1::Drive1_Change() {
    // The folder current on a drive is the one the folder list already shows
    // there; only a move to another drive takes the list to that drive's root.
    if (c_.Drive1.DriveOf(c_.Dir1.Path()) != c_.Drive1.Drive()) {
        Dir1_Open(c_.Drive1.Drive());
    } else if (readingFolder_) {
        // Back on the drive shown: a folder still being read on another is
        // no longer wanted.
        ++latestFolderRead_;
        readingFolder_ = false;
        RotateIfItWaited();
    }
}

// A share that stopped answering holds only this read: the folder list keeps
// showing the folder it showed, and the rest of the window answers. Only the
// folder asked for last is shown. Before a fallback is taken, the file system
// says whether the folder is there: it bounds the wait on a share that stopped
// answering, where the folder list alone would wait for it for good.
void Form1::Dir1_Open(const std::wstring& path, std::optional<std::wstring> fallback) {
    readingFolder_ = true;
    const std::uint64_t read = ++latestFolderRead_;
    const DirList& dir1 = c_.Dir1;
    const FileSystem& fileSystem = platform_.fileSystem;
    platform_.work.Run([this, read, &dir1, &fileSystem, path, pathAnsi = Ansi(path), fallback] {
        std::optional<FolderTree> tree;
        if (!fallback || fileSystem.IsFolder(pathAnsi)) {
            tree = dir1.Read(path);
        }
        const bool fellBack = fallback && !tree;
        if (fellBack) {
            tree = dir1.Read(*fallback);
        }
        return [this, read,
                folder = FolderRead{std::move(tree), fallback.has_value(), fellBack}]() mutable {
            FolderArrived(read, std::move(folder));
        };
    });
}

void Form1::FolderArrived(std::uint64_t read, FolderRead folder) {
    if (unloaded_ || read != latestFolderRead_) {
        return;
    }
    // Only start-up reads with a fallback: the folder it could not show is
    // the saved one.
    if (folder.fellBack) {
        platform_.diagnostics.ReportFailure(
            "Form_Load", Ansi(ImageFolder),
            "the saved folder cannot be shown; the default folder is listed instead, and the "
            "saved one stays saved until the user chooses another");
    }
    const std::string storableFolder = storableFolder_;
    const bool changed = ShowFolderRead(std::move(folder.tree));
    if (folder.fellBack) {
        storableFolder_ = storableFolder;
    }
    if (changed) {
        return;
    }
    if (folder.hadFallback) {
        // Nothing is listed yet: a folder the list cannot show is listed all
        // the same, where one it shows has been listed already, so that a
        // large folder is read once.
        FillFileList();
    } else {
        // Nothing new to list: a rotation that waited picks from the list there is.
        RotateIfItWaited();
    }
}

bool Form1::ShowFolderRead(std::optional<FolderTree> tree) {
    readingFolder_ = false;
    const bool changed = tree && c_.Dir1.Show(std::move(*tree));
    // The drive list follows the folder shown; a drive that is not ready
    // leaves both on the folder shown before.
    c_.Drive1.SetDrive(c_.Dir1.Path());
    if (changed) {
        Dir1_Change();
    }
    return changed;
}

void Form1::RotateIfItWaited() {
    if (!listing_ && !readingFolder_ && std::exchange(rotationWaitsForList_, false)) {
        RotateWallpaper();
    }
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
        ClearFileList();
        // Nothing will be listed: a rotation waiting for the list has nothing to pick.
        rotationWaitsForList_ = false;
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

// A read of the folder left, even one held by a share that stopped
// answering, keeps nothing of the next folder waiting.
void Form1::ClearFileList() {
    c_.LstFic.Clear();
    ++latestListing_;
    listing_ = false;
    previewing_ = false;
    wantedPreview_.reset();
}

// A share may take seconds for each file: the window keeps answering while
// the folder is read. The job holds only what it reads; the names stay as the
// system gives them, and the list decodes only those it shows.
void Form1::FillFileList() {
    ClearFileList();
    listing_ = true;
    const std::uint64_t listing = latestListing_;
    const FileSystem& fileSystem = platform_.fileSystem;
    platform_.work.Run([this, listing, &fileSystem, pattern = Ansi(ImageFolder + L"*.bmp")] {
        auto names = std::make_shared<PackedNames>(fileSystem.FindNormalFiles(pattern));
        return [this, listing, names] { FileListArrived(listing, std::move(*names)); };
    });
}

void Form1::FileListArrived(std::uint64_t listing, PackedNames names) {
    if (unloaded_ || listing != latestListing_) {
        return;
    }
    listing_ = false;
    c_.LstFic.AddItems(std::move(names));
    RotateIfItWaited();
}

std::wstring Form1::SelectedEntryPath() const {
    return ImageFolder + c_.LstFic.List(c_.LstFic.ListIndex());
}

void Form1::LstFic_Click() {
    // A click on an empty list selects nothing; there is no file to show.
    if (c_.LstFic.ListIndex() == -1) {
        return;
    }
    wantedPreview_ = Ansi(SelectedEntryPath());
    if (!previewing_) {
        ReadWantedPreview();
    }
}

// One picture of the folder is read at a time: going down a list of large
// bitmaps with the arrow keys would otherwise decode each of them at once, a
// picture's worth of memory each. The last file clicked is read next.
void Form1::ReadWantedPreview() {
    previewing_ = true;
    const FileSystem& fileSystem = platform_.fileSystem;
    platform_.work.Run([this, &fileSystem, listing = latestListing_,
                        path = *std::exchange(wantedPreview_, std::nullopt)] {
        auto picture = std::make_shared<DecodedBitmap>(fileSystem.ReadBitmap(path));
        return
            [this, listing, path, picture] { PictureArrived(listing, path, std::move(*picture)); };
    });
}

void Form1::PictureArrived(std::uint64_t listing, const std::string& path, DecodedBitmap picture) {
    // A picture of a folder left: the box waits for nothing from it.
    if (unloaded_ || listing != latestListing_) {
        return;
    }
    previewing_ = false;
    // A file clicked meanwhile is the one to show.
    if (wantedPreview_) {
        ReadWantedPreview();
        return;
    }
    const std::string why = picture.failure.empty() ? "" : " (" + picture.failure + ")";
    if (!c_.Image1.ShowPicture(std::move(picture))) {
        platform_.diagnostics.ReportFailure(
            "Image1", path, "not a bitmap the preview can show" + why + "; the box is empty");
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
