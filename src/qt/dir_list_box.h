#pragma once

#include <QTreeWidget>
#include <functional>
#include <optional>

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

    // Raised after the user opened another folder.
    void OnChanged(std::function<void()> handler) { changed_ = std::move(handler); }
    // Makes the widget in the window, showing the folder of the moment.
    QTreeWidget& Build(QWidget& window);
    // Nothing until built.
    QTreeWidget* view() { return view_ ? &*view_ : nullptr; }

  private:
    void Show(const FolderTree& tree) override;
    void Draw(const FolderTree& tree);

    std::function<void()> changed_;
    std::optional<QTreeWidget> view_;
};

}  // namespace plimex::qt
