#include "core/failure_line.h"

namespace plimex {

std::string FailureLine(std::string_view what, std::string_view path, std::string_view reason) {
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    std::string line = "plimex: ";
    line.append(what).append(": ");
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            line.append("\\x").append(1, kHexDigits[byte >> 4]).append(1, kHexDigits[byte & 15]);
        } else {
            line += c;
        }
    }
    line.append(": ").append(reason).append("\n");
    return line;
}

}  // namespace plimex
