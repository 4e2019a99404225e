#include "core/options_file.h"

#include <array>
#include <cstddef>

namespace plimex {
namespace {

class LineReader {
  public:
    explicit LineReader(std::string_view contents) : rest_(contents) {}

    bool AtEnd() const { return rest_.empty(); }

    std::string_view ReadLine() {
        const std::size_t end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            const std::string_view line = rest_;
            rest_ = {};
            return line;
        }
        const std::string_view line = rest_.substr(0, end);
        const bool crLf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crLf ? 2 : 1));
        return line;
    }

  private:
    std::string_view rest_;
};

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::optional<std::string> ValueAfterKey(std::string_view line, std::string_view lowerKey) {
    if (line.size() < lowerKey.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < lowerKey.size(); ++i) {
        if (FoldAscii(line[i]) != lowerKey[i]) {
            return std::nullopt;
        }
    }
    const std::string_view value = line.substr(lowerKey.size());
    if (value.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(value);
}

}  // namespace

OptionsFileValues ParseOptionsFile(std::string_view contents) {
    OptionsFileValues values;
    LineReader reader(contents);
    const std::array<std::optional<std::string>*, 3> fields{&values.rep, &values.tps, &values.etat};
    constexpr std::array<std::string_view, 3> keys{"rep=", "tps=", "etat="};

    if (reader.AtEnd()) {
        return values;
    }
    reader.ReadLine();  // the header line is never looked at
    for (std::size_t i = 0; i < keys.size() && !reader.AtEnd(); ++i) {
        *fields[i] = ValueAfterKey(reader.ReadLine(), keys[i]);
    }
    return values;
}

bool IsUnderstoodOptionsText(std::string_view contents, std::size_t readLimit) {
    const bool cutAtLimit = contents.size() >= readLimit;
    LineReader reader(contents);
    for (int line = 0; line < 4 && !reader.AtEnd(); ++line) {
        if (reader.ReadLine().find('\0') != std::string_view::npos) {
            return false;
        }
        // The limit may have cut the line short.
        if (cutAtLimit && reader.AtEnd()) {
            return false;
        }
    }
    return true;
}

bool IsStorableOptionValue(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string FormatOptionsFile(std::string_view rep, std::string_view tps, std::string_view etat) {
    std::string text = "[options]\r\nRep=";
    text.append(rep).append("\r\nTps=").append(tps).append("\r\nEtat=").append(etat).append("\r\n");
    return text;
}

}  // namespace plimex
