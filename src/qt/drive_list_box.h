#pragma once

#include <QComboBox>
#include <functional>
#include <string>
#include <vector>

#include "core/drive_roots.h"
#include "platform/ansi_code_page.h"

namespace plimex::qt {

// Drive1: the mounted volumes stand for drives; a volume's root is its mount
// point.
class QtDriveListBox : public QComboBox, public DriveRoots {
  public:
    QtDriveListBox(const Folders& folders, const AnsiCodePage& codePage,
                   const std::vector<std::string>& volumes);

    // Raised after the user picked another volume.
    void OnChanged(std::function<void()> handler) { changed_ = std::move(handler); }

  private:
    int SelectedEntry() const override { return currentIndex(); }
    void SelectEntry(int index) override { setCurrentIndex(index); }

    std::function<void()> changed_;
};

}  // namespace plimex::qt
