#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/controls.h"
#include "platform/platform.h"

namespace plimex {

// The main window: the program's whole state and every handler. Backends
// create the real window and controls and call these handlers on their events.
class Form1 {
  public:
    Form1(Platform platform, Form1Controls controls);

    // Lifecycle.
    void Form_Load();
    // Unloads the window, whatever the cause: removes the tray icon, saves
    // the options and destroys the window. Later calls do nothing.
    void Unload();
    void Quitter_Click();
    void Ouvrir_Click();
    void Command4_Click();
    void Command2_Click();

    // Folder browser.
    void Drive1_Change();
    // The user opened a folder of the folder list: it shows, and its bitmaps
    // are listed, once it has been read. Start-up opens the saved folder with
    // the default one as the fallback, shown if the saved one is gone.
    void Dir1_Open(const std::wstring& path, std::optional<std::wstring> fallback = std::nullopt);
    void Dir1_Change();
    void LstFic_Click();
    void CmdSel_Click();
    void LstFic_DblClick();

    // Rotation.
    void Tmr_Timer();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();

    // Tray and activation.
    void Activer_Click();
    void Command1_Click();
    // What the user asked of the tray icon. An item picked from a menu that
    // the desktop drew reaches Menu_Click directly.
    void TrayRequest(TrayIntent intent);
    void Menu_Click(MenuItem item);

    const std::wstring& imageFolder() const { return ImageFolder; }
    const std::wstring& intervalCode() const { return IntervalCode; }
    const std::wstring& activeState() const { return ActiveState; }
    std::int16_t tickCount() const { return TickCount; }
    bool trayBusy() const { return TrayBusy; }

  private:
    void Form_QueryUnload();
    void Form_Unload();
    void LoadOptions();
    void SaveOptions();
    void RememberFolderIfStorable();
    void SelectIntervalOption();
    void SetActivationControls();
    // Applies the picture off the GUI thread; the label names it once shown.
    void ApplyWallpaper(const std::wstring& path);
    void ApplyWantedWallpaper();
    void WallpaperApplied(const std::string& path, bool shown);
    // Lists the folder's bitmaps off the GUI thread; the list stays empty
    // until they arrive.
    void FillFileList();
    void FileListArrived(std::uint64_t listing, PackedNames names);
    void ClearFileList();
    void ReadWantedPreview();
    void PictureArrived(std::uint64_t listing, const std::string& path, DecodedBitmap picture);
    std::optional<std::wstring> NameableInCodePage(const std::wstring& path) const;
    // What a read of a folder brings back to the GUI thread.
    struct FolderRead {
        std::optional<FolderTree> tree;
        // Read with a fallback, at start-up: nothing is listed yet.
        bool hadFallback = false;
        bool fellBack = false;
    };
    void FolderArrived(std::uint64_t read, FolderRead folder);
    // Shows the folder read; true when it changed, and Dir1_Change has run.
    bool ShowFolderRead(std::optional<FolderTree> tree);
    void RotateIfItWaited();
    std::wstring SelectedEntryPath() const;
    void RotateWallpaper();
    void AddTrayIconAtStartup();
    void RemoveTrayIcon();
    void AddTrayIcon(TrayPicture picture, std::wstring_view tip);
    void Toggle(const std::wstring& decidingCaption);

    std::string Ansi(std::wstring_view text) const;

    Platform platform_;
    Form1Controls c_;

    std::wstring ImageFolder;
    std::wstring IntervalCode;
    std::wstring ActiveState;
    std::int16_t TickCount = 0;
    bool TrayBusy = false;

    bool unloaded_ = false;
    // The options file existed but could not be read or understood:
    // overwriting it would replace the user's settings with the defaults, so
    // this run never does.
    bool keepOptionsFile_ = false;
    // The image folder the options file keeps, in the code page: the saved
    // one until the user chooses another that the file can hold.
    std::string storableFolder_;
    // The listing the file list waits for: only the latest one counts, as an
    // earlier one lists a folder the user has left.
    std::uint64_t latestListing_ = 0;
    bool listing_ = false;
    // The same for the folder the folder list is to show next.
    std::uint64_t latestFolderRead_ = 0;
    bool readingFolder_ = false;
    // A rotation that came while the folder or its list was being read: it
    // picks once the whole list is there, and the ticks count again from it.
    bool rotationWaitsForList_ = false;
    // The file to preview once the picture being read has arrived: the one
    // the user clicked last.
    std::optional<std::string> wantedPreview_;
    bool previewing_ = false;
    // The picture to apply once the one being applied is done: the one asked
    // for last.
    std::optional<std::string> wantedWallpaper_;
    bool applying_ = false;
};

}  // namespace plimex
