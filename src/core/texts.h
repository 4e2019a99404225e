#pragma once

#include <string_view>

namespace plimex::texts {

inline constexpr std::wstring_view kAppTitle = L"Plimex 2000";
inline constexpr std::wstring_view kActiver = L"&Activer";
inline constexpr std::wstring_view kDesactiver = L"&Désactiver";
inline constexpr std::wstring_view kToggledTip = L"Icône dans le system tray";
inline constexpr std::string_view kOptionsFileName = "Plimex.ini";

}  // namespace plimex::texts
