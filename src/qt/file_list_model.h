#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

namespace plimex::qt {

// The entries of the file list, kept sorted ignoring case. The wide names
// stay the truth (they may hold escaped bytes that no QString can carry);
// the view's text is made only for the rows it draws.
class FileListModel : public QAbstractListModel {
  public:
    void Clear();
    void Add(std::vector<std::wstring> names);
    const std::wstring& Entry(int row) const { return entries_[static_cast<std::size_t>(row)]; }
    int Count() const { return static_cast<int>(entries_.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    std::vector<std::wstring> entries_;
};

}  // namespace plimex::qt
