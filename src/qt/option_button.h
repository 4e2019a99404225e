#pragma once

#include <QRadioButton>

#include "platform/controls.h"

namespace plimex::qt {

// An interval option; selecting it from the program raises no click.
class OptionButton : public plimex::OptionButton {
  public:
    explicit OptionButton(QRadioButton& button) : button_(button) {}
    void Select() override { button_.setChecked(true); }

  private:
    QRadioButton& button_;
};

}  // namespace plimex::qt
