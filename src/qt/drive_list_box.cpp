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
    : DriveRoots(folders, Decoded(codePage, volumes)) {
    for (const std::wstring& root : roots()) {
        addItem(QString::fromStdWString(root));
    }
    connect(this, &QComboBox::activated, this, [this] {
        if (changed_) {
            changed_();
        }
    });
}

}  // namespace plimex::qt
