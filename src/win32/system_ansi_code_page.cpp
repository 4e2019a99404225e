#include "win32/system_ansi_code_page.h"

#include "win32/windows_api.h"

namespace plimex::win32 {
namespace {

// A character the code page lacks becomes its replacement character, not a
// look-alike letter: "ő" must not silently name another file as "o".
constexpr DWORD kNoBestFit = WC_NO_BEST_FIT_CHARS;

}  // namespace

std::string SystemAnsiCodePage::ToAnsi(std::wstring_view text) const {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, kNoBestFit, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, kNoBestFit, text.data(), length, bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

std::wstring SystemAnsiCodePage::FromAnsi(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
    return text;
}

}  // namespace plimex::win32
