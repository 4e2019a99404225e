#include "win32/case_insensitive_order.h"

#include <algorithm>
#include <string_view>

namespace plimex::win32 {
namespace {

// Comparing names in the locale's rules costs far more than comparing bytes,
// and a sort of n names compares some n log n times: each name's sort key is
// made once, and the keys are compared byte by byte, which orders them as
// CompareStringW orders their names.

constexpr DWORD kKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

int MakeSortKey(const std::wstring& name, LCID locale, char* key, std::size_t room) {
    // With LCMAP_SORTKEY the destination holds bytes, whatever its type says.
    return LCMapStringW(locale, kKeyFlags, name.c_str(), -1, reinterpret_cast<LPWSTR>(key),
                        static_cast<int>(room));
}

bool AppendSortKey(std::string& keys, const std::wstring& name, LCID locale) {
    const std::size_t start = keys.size();
    // Room for the key of most names, so that one call makes it: asking for
    // its size first would double the cost.
    const std::size_t room = 3 * name.size() + 16;
    keys.resize(start + room);
    int bytes = MakeSortKey(name, locale, keys.data() + start, room);
    if (bytes == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        bytes = LCMapStringW(locale, kKeyFlags, name.c_str(), -1, nullptr, 0);
        keys.resize(start + static_cast<std::size_t>(bytes));
        bytes =
            bytes == 0 ? 0 : MakeSortKey(name, locale, keys.data() + start, keys.size() - start);
    }
    keys.resize(start + static_cast<std::size_t>(bytes));
    return bytes != 0;
}

struct KeyedName {
    std::size_t keyStart;
    std::size_t keyLength;
    std::size_t name;
};

}  // namespace

bool ListsBefore(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_LESS_THAN;
}

bool SortIgnoringCase(std::vector<std::wstring>& names, LCID locale) {
    std::string keys;
    std::vector<KeyedName> order;
    order.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t start = keys.size();
        if (!AppendSortKey(keys, names[i], locale)) {
            return false;
        }
        order.push_back({start, keys.size() - start, i});
    }
    const auto keyOf = [&](const KeyedName& entry) {
        return std::string_view(keys).substr(entry.keyStart, entry.keyLength);
    };
    std::sort(order.begin(), order.end(), [&](const KeyedName& a, const KeyedName& b) {
        const int byKey = keyOf(a).compare(keyOf(b));
        return byKey != 0 ? byKey < 0 : names[a.name] < names[b.name];
    });
    std::vector<std::wstring> sorted;
    sorted.reserve(names.size());
    for (const KeyedName& entry : order) {
        sorted.push_back(std::move(names[entry.name]));
    }
    names = std::move(sorted);
    return true;
}

}  // namespace plimex::win32
