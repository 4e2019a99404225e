#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/controls.h"

namespace plimex {

// A control's caption as the program wrote it; the backend's control shows
// it. Kept as written, so that reading it back gives exactly the same text
// whatever the control does with it (access keys, a code page).
class ShownCaption : public CaptionedControl {
  public:
    ShownCaption(std::wstring initial, std::function<void(const std::wstring&)> show)
        : text_(std::move(initial)), show_(std::move(show)) {
        show_(text_);
    }

    std::wstring Caption() const override { return text_; }
    void SetCaption(const std::wstring& caption) override {
        text_ = caption;
        show_(text_);
    }

  private:
    std::wstring text_;
    std::function<void(const std::wstring&)> show_;
};

}  // namespace plimex
