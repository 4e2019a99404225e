#pragma once

#include <QString>
#include <functional>
#include <string>

#include "platform/controls.h"

namespace plimex::qt {

// A control's caption as the program wrote it; the widget shows it. Kept as
// written so that reading it back gives exactly the same text.
class ShownCaption : public CaptionedControl {
  public:
    ShownCaption(std::wstring initial, std::function<void(const QString&)> show)
        : text_(std::move(initial)), show_(std::move(show)) {
        show_(QString::fromStdWString(text_));
    }

    std::wstring Caption() const override { return text_; }
    void SetCaption(const std::wstring& caption) override {
        text_ = caption;
        show_(QString::fromStdWString(text_));
    }

  private:
    std::wstring text_;
    std::function<void(const QString&)> show_;
};

}  // namespace plimex::qt
