#pragma once

#include <QComboBox>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/drive_roots.h"
#include "platform/ansi_code_page.h"

namespace plimex::qt {

// Drive1: the mounted volumes stand for drives; a volume's root is its mount
// point. It keeps its selection itself, so that its widget is made only when
// the window first shows.
class QtDriveListBox : public DriveRoots {
  public:
    QtDriveListBox(const Folders& folders, const AnsiCodePage& codePage,
                   const std::vector<std::string>& volumes);

    // Raised after the user picked another volume.
    void OnChanged(std::function<void()> handler) { changed_ = std::move(handler); }
    // Makes the widget in the window, showing the selection of the moment.
    QComboBox& Build(QWidget& window);
    // Nothing until built.
    QComboBox* box() { return box_ ? &*box_ : nullptr; }

  private:
    int SelectedEntry() const override { return selected_; }
    void SelectEntry(int index) override;

    int selected_ = 0;
    std::function<void()> changed_;
    std::optional<QComboBox> box_;
};

}  // namespace plimex::qt
