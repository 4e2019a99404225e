#pragma once

#include <QAbstractListModel>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ansi_code_page.h"
#include "platform/packed_names.h"

namespace plimex::qt {

// The entries of the file list, kept sorted ignoring case. The names stay as
// the system gave them, packed, in the order they came, beside the order of
// the rows: a row is decoded only when it is drawn or read. The wide names
// are the truth (they may hold escaped bytes that no QString can carry).
class FileListModel : public QAbstractListModel {
  public:
    explicit FileListModel(const AnsiCodePage& codePage) : codePage_(codePage) {}

    void Clear();
    void Add(PackedNames names);
    std::wstring Entry(int row) const {
        return codePage_.FromAnsi(names_[rows_[static_cast<std::size_t>(row)]]);
    }
    int Count() const { return static_cast<int>(rows_.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    const AnsiCodePage& codePage_;
    PackedNames names_;
    std::vector<std::uint32_t> rows_;  // the index in names_ of each row
};

}  // namespace plimex::qt
