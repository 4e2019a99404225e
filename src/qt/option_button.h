#pragma once

#include <QRadioButton>

#include "platform/controls.h"

namespace plimex::qt {

// An interval option; selecting it from the program raises no click.
class QtOptionButton : public plimex::OptionButton {
  public:
    explicit QtOptionButton(QRadioButton& button) : button_(button) {}
    void Select() override { button_.setChecked(true); }

  private:
    QRadioButton& button_;
};

}  // namespace plimex::qt
