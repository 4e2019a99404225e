#pragma once

#include <QComboBox>
#include <functional>
#include <string>
#include <vector>

#include "platform/ansi_code_page.h"
#include "platform/controls.h"

namespace plimex::qt {

// Drive1: the mounted volumes stand for drives; a volume's root is its mount
// point, and a path belongs to the deepest volume that holds it.
class DriveListBox : public QComboBox, public DriveList {
  public:
    DriveListBox(const AnsiCodePage& codePage, const std::vector<std::string>& volumes);

    // Raised after the user picked another volume.
    void OnChanged(std::function<void()> handler) { changed_ = std::move(handler); }

    std::wstring Drive() const override;
    bool SetDrive(const std::wstring& path) override;
    std::wstring DriveOf(const std::wstring& path) const override;

  private:
    std::vector<std::wstring> roots_;
    std::function<void()> changed_;
};

}  // namespace plimex::qt
