#pragma once

#include <QTreeWidget>
#include <functional>
#include <optional>
#include <string>

#include "core/folder_list.h"

namespace plimex::qt {

// Dir1, the classic folder list: the folders on the way down to the current
// one, each inside the last, then the current folder's subfolders. A double
// click (or Enter) on any of them opens it. Its widget is made, measured and
// drawn only when the window first shows: a program that waits in the tray
// never makes it.
class QtDirListBox : public FolderList {
  public:
    explicit QtDirListBox(const Folders& folders) : FolderList(folders) {}

    // Raised with the folder the user opened; it shows once it has been read.
    void OnOpened(std::function<void(const std::wstring&)> handler) {
        opened_ = std::move(handler);
    }
    // Makes the widget in the window, showing the folder of the moment.
    QTreeWidget& Build(QWidget& window);
    // Nothing until built.
    QTreeWidget* view() { return view_ ? &*view_ : nullptr; }

  private:
    void Draw(const FolderTree& tree) override;
    void Fill(const FolderTree& tree);

    std::function<void(const std::wstring&)> opened_;
    std::optional<QTreeWidget> view_;
};

}  // namespace plimex::qt
