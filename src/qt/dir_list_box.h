#pragma once

#include <QTreeWidget>
#include <functional>

#include "core/folder_list.h"

namespace plimex::qt {

// Dir1, the classic folder list: the folders on the way down to the current
// one, each inside the last, then the current folder's subfolders. A double
// click (or Enter) on any of them opens it.
class QtDirListBox : public QTreeWidget, public FolderList {
  public:
    explicit QtDirListBox(const Folders& folders);

    // Raised after the user opened another folder.
    void OnChanged(std::function<void()> handler) { changed_ = std::move(handler); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Show(const FolderTree& tree) override;
    void Draw(const FolderTree& tree);

    bool shownBefore_ = false;

    std::function<void()> changed_;
};

}  // namespace plimex::qt
