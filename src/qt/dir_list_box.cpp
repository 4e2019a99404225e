#include "qt/dir_list_box.h"

#include <QHeaderView>
#include <QStyle>

namespace plimex::qt {
namespace {

constexpr int kEntryRole = Qt::UserRole;

}  // namespace

QTreeWidget& QtDirListBox::Build(QWidget& window) {
    view_.emplace(&window);
    view_->setHeaderHidden(true);
    // The one column fills the list, however narrow.
    view_->header()->setMinimumSectionSize(0);
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setIndentation(view_->fontMetrics().averageCharWidth() * 2);
    QObject::connect(&*view_, &QTreeWidget::itemActivated, &*view_, [this](QTreeWidgetItem* item) {
        const std::optional<std::wstring> path =
            PathOfEntry(item->data(0, kEntryRole).toULongLong());
        if (path && opened_) {
            opened_(*path);
        }
    });
    Fill(tree());
    return *view_;
}

void QtDirListBox::Draw(const FolderTree& tree) {
    if (view_) {
        Fill(tree);
    }
}

void QtDirListBox::Fill(const FolderTree& tree) {
    view_->clear();
    // A window shown while start-up still reads the folder shows none yet.
    if (tree.chain.empty()) {
        return;
    }
    const QIcon open = view_->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = view_->style()->standardIcon(QStyle::SP_DirIcon);
    // Each folder of the chain inside the last; the subfolders inside the current one.
    std::vector<QTreeWidgetItem*> parents{view_->invisibleRootItem()};
    for (std::size_t entry = 0; entry < tree.EntryCount(); ++entry) {
        const std::size_t depth = tree.DepthOfEntry(entry);
        // The tree owns its items.
        auto* item =
            new QTreeWidgetItem(parents[depth], {QString::fromStdWString(tree.NameOfEntry(entry))});
        const bool onTheWay = entry <= tree.CurrentEntry();
        item->setIcon(0, onTheWay ? open : closed);
        item->setData(0, kEntryRole, QVariant::fromValue<qulonglong>(entry));
        if (onTheWay) {
            parents.push_back(item);
        }
    }
    view_->expandAll();
    QTreeWidgetItem* current = parents[tree.CurrentEntry() + 1];
    view_->setCurrentItem(current);
    view_->scrollToItem(current);
}

}  // namespace plimex::qt
