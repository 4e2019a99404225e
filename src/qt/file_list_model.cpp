#include "qt/file_list_model.h"

#include "posix/case_insensitive_order.h"

namespace plimex::qt {

void FileListModel::Clear() {
    beginResetModel();
    names_ = PackedNames();
    rows_ = std::vector<std::uint32_t>();
    endResetModel();
}

void FileListModel::Add(PackedNames names) {
    beginResetModel();
    if (names_.empty()) {
        names_ = std::move(names);
    } else {
        names_.Append(names);
    }
    // The old order goes before the new one is made, not beside it.
    rows_ = std::vector<std::uint32_t>();
    rows_ = posix::OrderIgnoringCase(names_, codePage_);
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Count()) {
        return {};
    }
    return QString::fromStdWString(Entry(index.row()));
}

}  // namespace plimex::qt
