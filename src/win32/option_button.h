#pragma once

#include "platform/controls.h"
#include "win32/windows_api.h"

namespace plimex::win32 {

// One of the option buttons whose identifiers run from first to last.
class Win32OptionButton : public OptionButton {
  public:
    Win32OptionButton(HWND parent, int id, int firstId, int lastId)
        : parent_(parent), id_(id), firstId_(firstId), lastId_(lastId) {}
    void Select() override { CheckRadioButton(parent_, firstId_, lastId_, id_); }

  private:
    HWND parent_;
    int id_;
    int firstId_;
    int lastId_;
};

}  // namespace plimex::win32
