#pragma once

#include <string_view>

#include "core/layout.h"

namespace plimex::win32 {

// Each control's identifier is its place in its window's layout table, so
// that the program and the tools that drive it agree without another table.
constexpr int kFirstControlId = 100;

inline int ControlId(const layout::Window& window, std::string_view name) {
    return kFirstControlId + static_cast<int>(&layout::Get(window, name) - window.controls.data());
}

// The popup menu's items: their place in the menu, after the controls.
constexpr int kFirstMenuId = 500;

}  // namespace plimex::win32
