#include "qt/case_insensitive_order.h"

#include <algorithm>
#include <cwctype>
#include <utility>

namespace plimex::qt {
namespace {

struct SortEntry {
    std::wstring folded;
    std::wstring name;
};

std::wstring Folded(const std::wstring& name) {
    std::wstring folded(name);
    for (wchar_t& character : folded) {
        character = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(character)));
    }
    return folded;
}

}  // namespace

void SortIgnoringCase(std::vector<std::wstring>& names) {
    // Folding each name once costs far less than folding it in every comparison.
    std::vector<SortEntry> entries;
    entries.reserve(names.size());
    for (std::wstring& name : names) {
        entries.push_back({Folded(name), std::move(name)});
    }
    std::sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
        const int order = a.folded.compare(b.folded);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (std::size_t i = 0; i < entries.size(); ++i) {
        names[i] = std::move(entries[i].name);
    }
}

}  // namespace plimex::qt
