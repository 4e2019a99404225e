#include "qt/file_list_box.h"

#include <QItemSelectionModel>

namespace plimex::qt {

QtFileListBox::QtFileListBox(const AnsiCodePage& codePage) : model_(codePage) {
    setModel(&model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height: the view need not measure 100,000 texts.
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!refilling_ && selectionChanged_) {
            selectionChanged_();
        }
    });
    connect(this, &QListView::doubleClicked, this, [this] {
        if (doubleClicked_) {
            doubleClicked_();
        }
    });
}

void QtFileListBox::Clear() {
    refilling_ = true;
    model_.Clear();
    refilling_ = false;
}

void QtFileListBox::AddItems(PackedNames names) {
    refilling_ = true;
    model_.Add(std::move(names));
    refilling_ = false;
}

int QtFileListBox::ListIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

std::wstring QtFileListBox::List(int index) const {
    // Past either end the list reads as an empty string.
    if (index < 0 || index >= model_.Count()) {
        return {};
    }
    return model_.Entry(index);
}

}  // namespace plimex::qt
