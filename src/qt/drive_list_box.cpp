#include "qt/drive_list_box.h"

namespace plimex::qt {
namespace {

std::vector<std::wstring> Decoded(const AnsiCodePage& codePage,
                                  const std::vector<std::string>& names) {
    std::vector<std::wstring> decoded;
    for (const std::string& name : names) {
        decoded.push_back(codePage.FromAnsi(name));
    }
    return decoded;
}

}  // namespace

QtDriveListBox::QtDriveListBox(const Folders& folders, const AnsiCodePage& codePage,
                               const std::vector<std::string>& volumes)
    : DriveRoots(folders, Decoded(codePage, volumes)), selected_(roots().empty() ? -1 : 0) {}

QComboBox& QtDriveListBox::Build(QWidget& window) {
    box_.emplace(&window);
    for (const std::wstring& root : roots()) {
        box_->addItem(QString::fromStdWString(root));
    }
    box_->setCurrentIndex(selected_);
    QObject::connect(&*box_, &QComboBox::activated, &*box_, [this](int index) {
        selected_ = index;
        if (changed_) {
            changed_();
        }
    });
    return *box_;
}

void QtDriveListBox::SelectEntry(int index) {
    selected_ = index;
    if (box_) {
        box_->setCurrentIndex(index);
    }
}

}  // namespace plimex::qt
