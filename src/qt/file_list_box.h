#pragma once

#include <QListView>
#include <functional>

#include "platform/controls.h"
#include "qt/file_list_model.h"

namespace plimex::qt {

// LstFic: a single-selection list of the folder's bitmaps in sorted order.
class QtFileListBox : public QListView, public ListBox {
  public:
    explicit QtFileListBox(const AnsiCodePage& codePage);

    // Raised for the user's selection changes and double clicks only.
    void OnSelectionChanged(std::function<void()> handler) {
        selectionChanged_ = std::move(handler);
    }
    void OnDoubleClicked(std::function<void()> handler) { doubleClicked_ = std::move(handler); }

    void Clear() override;
    void AddItems(PackedNames names) override;
    int ListIndex() const override;
    std::wstring List(int index) const override;
    int ListCount() const override { return model_.Count(); }

  private:
    FileListModel model_;
    std::function<void()> selectionChanged_;
    std::function<void()> doubleClicked_;
    bool refilling_ = false;
};

}  // namespace plimex::qt
