#include "qt/dir_list_box.h"

#include <QHeaderView>
#include <QStyle>
#include <filesystem>

#include "qt/case_insensitive_order.h"
#include "qt/directory_entries.h"

namespace plimex::qt {
namespace {

constexpr int kPathRole = Qt::UserRole;

// Without "." and ".." steps or doubled slashes; the root keeps its slash,
// any other folder loses its trailing one.
std::string Normalized(const std::string& path) {
    std::string normal = std::filesystem::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') {
        normal.pop_back();
    }
    return normal;
}

std::string Child(const std::string& folder, const std::string& name) {
    return folder == "/" ? folder + name : folder + "/" + name;
}

// The tree owns its items; this is the one place that creates them.
QTreeWidgetItem* AddFolderItem(QTreeWidgetItem* parent, const QString& text,
                               const std::string& folder, const QIcon& icon) {
    auto* item = new QTreeWidgetItem(parent, {text});
    item->setIcon(0, icon);
    item->setData(0, kPathRole, QByteArray::fromStdString(folder));
    return item;
}

}  // namespace

DirListBox::DirListBox(const AnsiCodePage& codePage) : codePage_(codePage) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(fontMetrics().averageCharWidth() * 2);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QByteArray folder = item->data(0, kPathRole).toByteArray();
        if (Open(folder.toStdString()) && changed_) {
            changed_();
        }
    });
}

std::wstring DirListBox::Path() const {
    return codePage_.FromAnsi(path_);
}

bool DirListBox::SetPath(const std::wstring& path) {
    return Open(codePage_.ToAnsi(path));
}

bool DirListBox::Open(const std::string& requested) {
    const std::string folder = Normalized(requested);
    if (folder.empty() || folder.front() != '/' || folder == path_ || !FolderExists(folder)) {
        return false;
    }
    path_ = folder;
    // A folder we may not read is still shown, only without subfolders: the
    // way back up stays open.
    Rebuild(ReadDirectoryEntries(folder, EntryKind::Folder).value_or(std::vector<std::string>()));
    return true;
}

void DirListBox::Rebuild(const std::vector<std::string>& subfolderNames) {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);

    QTreeWidgetItem* current = AddFolderItem(invisibleRootItem(), QStringLiteral("/"), "/", open);
    std::string walked = "/";
    std::size_t start = 1;
    while (start < path_.size()) {
        const std::size_t end = std::min(path_.find('/', start), path_.size());
        const std::string name = path_.substr(start, end - start);
        start = end + 1;
        if (name.empty()) {
            continue;
        }
        walked = Child(walked, name);
        current =
            AddFolderItem(current, QString::fromStdWString(codePage_.FromAnsi(name)), walked, open);
    }

    std::vector<std::wstring> names;
    for (const std::string& name : subfolderNames) {
        names.push_back(codePage_.FromAnsi(name));
    }
    SortIgnoringCase(names);
    for (const std::wstring& name : names) {
        AddFolderItem(current, QString::fromStdWString(name), Child(path_, codePage_.ToAnsi(name)),
                      closed);
    }
    expandAll();
    setCurrentItem(current);
    scrollToItem(current);
}

}  // namespace plimex::qt
