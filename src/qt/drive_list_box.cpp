#include "qt/drive_list_box.h"

#include <algorithm>

namespace plimex::qt {

DriveListBox::DriveListBox(const AnsiCodePage& codePage, const std::vector<std::string>& volumes) {
    for (const std::string& volume : volumes) {
        roots_.push_back(codePage.FromAnsi(volume));
        addItem(QString::fromStdWString(roots_.back()));
    }
    connect(this, &QComboBox::activated, this, [this] {
        if (changed_) {
            changed_();
        }
    });
}

std::wstring DriveListBox::Drive() const {
    const int index = currentIndex();
    return index < 0 ? std::wstring() : roots_[static_cast<std::size_t>(index)];
}

bool DriveListBox::SetDrive(const std::wstring& path) {
    const std::wstring root = DriveOf(path);
    if (root.empty() || root == Drive()) {
        return false;
    }
    const auto found = std::find(roots_.begin(), roots_.end(), root);
    setCurrentIndex(static_cast<int>(found - roots_.begin()));
    return true;
}

std::wstring DriveListBox::DriveOf(const std::wstring& path) const {
    const std::wstring folder = path.ends_with(L'/') ? path : path + L'/';
    std::wstring deepest;
    for (const std::wstring& root : roots_) {
        if (folder.starts_with(root) && root.size() > deepest.size()) {
            deepest = root;
        }
    }
    return deepest;
}

}  // namespace plimex::qt
