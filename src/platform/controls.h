#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bitmap_decoder.h"
#include "core/folder_tree.h"
#include "platform/packed_names.h"
#include "platform/tray_icon.h"

namespace plimex {

// The controls of the main window as its handlers see them. A backend never
// raises a handler for a change the program made itself (setting a path, a
// drive or an option); the program runs the handler when it needs to.

class DriveList {
  public:
    virtual ~DriveList() = default;
    // The root of the selected drive, ending in the path separator.
    virtual std::wstring Drive() const = 0;
    // Selects the drive that holds path; true when the selection changed.
    virtual bool SetDrive(const std::wstring& path) = 0;
    // The root of the listed drive that holds path, or empty when none does.
    virtual std::wstring DriveOf(const std::wstring& path) const = 0;
};

// The read and the showing are apart so that the main window runs the read
// as background work and decides what shows: start-up's choice between the
// saved and the default folder, and a rotation's wait, hang on the read.
class DirList {
  public:
    virtual ~DirList() = default;
    // The folder shown; it ends in the separator only when it is a root.
    virtual std::wstring Path() const = 0;
    // What showing a folder takes: its place and its subfolders. A share may
    // take seconds to answer, so this runs off the GUI thread; it touches
    // nothing shown. Nothing when the folder cannot be shown.
    virtual std::optional<FolderTree> Read(const std::wstring& path) const = 0;
    // Shows a folder that Read gave; true when the folder shown changed.
    virtual bool Show(FolderTree tree) = 0;
};

class ListBox {
  public:
    virtual ~ListBox() = default;
    virtual void Clear() = 0;
    // Adds file names as the system gives them (in its code page); the list
    // shows them decoded, keeps them sorted alphabetically ignoring case, and
    // indexes always refer to that order. No entry becomes selected.
    virtual void AddItems(PackedNames names) = 0;
    virtual int ListIndex() const = 0;  // -1 when nothing is selected
    // The entry at index, decoded; empty past either end.
    virtual std::wstring List(int index) const = 0;
    virtual int ListCount() const = 0;
};

class CaptionedControl {
  public:
    virtual ~CaptionedControl() = default;
    virtual std::wstring Caption() const = 0;
    virtual void SetCaption(const std::wstring& caption) = 0;
};

class Timer {
  public:
    virtual ~Timer() = default;
    virtual void SetEnabled(bool enabled) = 0;
};

class OptionButton {
  public:
    virtual ~OptionButton() = default;
    // Selects this button and clears the others of its frame.
    virtual void Select() = 0;
};

class Shape {
  public:
    virtual ~Shape() = default;
    virtual void SetWidth(float twips) = 0;
};

class PreviewBox {
  public:
    virtual ~PreviewBox() = default;
    // Shows a picture read by FileSystem::ReadBitmap, stretched; one that
    // could not be read leaves the box empty and gives false.
    virtual bool ShowPicture(DecodedBitmap picture) = 0;
};

class MainWindow {
  public:
    virtual ~MainWindow() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Opens the popup menu at the mouse, Quitter as its default item, and
    // returns the item picked once the menu has closed.
    virtual MenuItem PopupMenu() = 0;
    // Destroys the window; the process ends once no window of ours is left.
    virtual void Unload() = 0;
};

class AboutWindow {
  public:
    virtual ~AboutWindow() = default;
    // Loads the About window afresh and returns once the user has closed it.
    virtual void ShowModal() = 0;
};

struct Form1Controls {
    DriveList& Drive1;
    DirList& Dir1;
    ListBox& LstFic;
    CaptionedControl& LblPap;
    Timer& Tmr;
    OptionButton& Option1;
    OptionButton& Option2;
    OptionButton& Option3;
    OptionButton& Option4;
    OptionButton& Option5;
    CaptionedControl& Command1;
    CaptionedControl& Activer;
    Shape& Shape1;
    PreviewBox& Image1;
    MainWindow& Form1;
    AboutWindow& Form2;
};

}  // namespace plimex
