#include "qt/dir_list_box.h"

#include <QHeaderView>
#include <QStyle>

namespace plimex::qt {
namespace {

constexpr int kEntryRole = Qt::UserRole;

}  // namespace

QtDirListBox::QtDirListBox(const Folders& folders) : FolderList(folders) {
    setHeaderHidden(true);
    // The one column fills the list; a minimum measured from the font would
    // load the fonts at start-up, for a list that may never show.
    header()->setMinimumSectionSize(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (OpenEntry(item->data(0, kEntryRole).toULongLong()) && changed_) {
            changed_();
        }
    });
}

// Measured and drawn only once the list is about to show: the fonts are
// loaded when the window is first opened, not by a program that waits in
// the tray.
void QtDirListBox::showEvent(QShowEvent* event) {
    if (!shownBefore_) {
        shownBefore_ = true;
        setIndentation(fontMetrics().averageCharWidth() * 2);
        Draw(tree());
    }
    QTreeWidget::showEvent(event);
}

void QtDirListBox::Show(const FolderTree& tree) {
    if (shownBefore_) {
        Draw(tree);
    }
}

void QtDirListBox::Draw(const FolderTree& tree) {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    // Each folder of the chain inside the last; the subfolders inside the current one.
    std::vector<QTreeWidgetItem*> parents{invisibleRootItem()};
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
    expandAll();
    QTreeWidgetItem* current = parents[tree.CurrentEntry() + 1];
    setCurrentItem(current);
    scrollToItem(current);
}

}  // namespace plimex::qt
