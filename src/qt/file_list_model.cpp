#include "qt/file_list_model.h"

#include <iterator>

#include "posix/case_insensitive_order.h"

namespace plimex::qt {

void FileListModel::Clear() {
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void FileListModel::Add(std::vector<std::wstring> names) {
    beginResetModel();
    if (entries_.empty()) {
        entries_ = std::move(names);
    } else {
        entries_.insert(entries_.end(), std::make_move_iterator(names.begin()),
                        std::make_move_iterator(names.end()));
    }
    posix::SortIgnoringCase(entries_);
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
