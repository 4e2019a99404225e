#include "posix/locale_code_page.h"

#include <langinfo.h>

#include <climits>
#include <clocale>
#include <cstring>
#include <cwchar>

namespace plimex::posix {
namespace {

constexpr wchar_t kEscapeBase = 0xDC00;
constexpr wchar_t kFirstEscape = 0xDC80;
constexpr wchar_t kLastEscape = 0xDCFF;
constexpr char kReplacement = '?';

bool IsAscii(char byte) {
    return static_cast<unsigned char>(byte) < 0x80;
}

}  // namespace

void UseUserLocale() {
    std::setlocale(LC_ALL, "");
    if (std::strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") == 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

std::string LocaleCodePage::ToAnsi(std::wstring_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    std::mbstate_t state{};
    char encoded[MB_LEN_MAX];
    for (const wchar_t character : text) {
        if (character >= kFirstEscape && character <= kLastEscape) {
            bytes += static_cast<char>(character - kEscapeBase);
            continue;
        }
        const std::size_t length = std::wcrtomb(encoded, character, &state);
        if (length == static_cast<std::size_t>(-1)) {
            state = {};
            bytes += kReplacement;
            continue;
        }
        bytes.append(encoded, length);
    }
    return bytes;
}

std::wstring LocaleCodePage::FromAnsi(std::string_view bytes) const {
    // Never more characters than bytes: they are written in place, then the
    // text is cut to its length (a folder of names is decoded in one go).
    std::wstring text(bytes.size(), L'\0');
    std::size_t length = 0;
    std::mbstate_t state{};
    std::size_t position = 0;
    while (position < bytes.size()) {
        const char first = bytes[position];
        if (IsAscii(first) && std::mbsinit(&state)) {
            text[length++] = static_cast<wchar_t>(first);
            ++position;
            continue;
        }
        wchar_t character = 0;
        const std::size_t read =
            std::mbrtowc(&character, bytes.data() + position, bytes.size() - position, &state);
        if (read == static_cast<std::size_t>(-1) || read == static_cast<std::size_t>(-2)) {
            // An undecodable or cut-off sequence keeps its first byte as an
            // escape and decoding starts afresh at the next one.
            state = {};
            text[length++] = static_cast<wchar_t>(kEscapeBase + static_cast<unsigned char>(first));
            ++position;
            continue;
        }
        text[length++] = character;
        position += read == 0 ? 1 : read;  // 0: the NUL byte itself
    }
    text.resize(length);
    return text;
}

}  // namespace plimex::posix
