#include "posix/case_insensitive_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <cwctype>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace plimex::posix {
namespace {

// A folder of a million names is sorted by a most-significant-byte radix
// sort of keys folded once per name: its time grows with the count, where
// comparing names (and folding them in each comparison) grows faster. The
// sort moves the names' indexes in place, and a plain-ASCII name is its own
// key: beside the names it keeps about sixteen bytes a name.

// Eight key bytes of each index from the current depth rounded down to
// eight, so that most steps read no key.
constexpr std::size_t kBytesHeld = sizeof(std::uint64_t);

// Where the held word after the one that `depth` lies in starts.
constexpr std::size_t NextWord(std::size_t depth) {
    return depth - depth % kBytesHeld + kBytesHeld;
}

// Smaller groups are cheaper to sort by comparing their keys.
constexpr std::size_t kSmallGroup = 32;
// One group a byte value. Group 0 holds the keys that end at the current
// depth, with any that hold a NUL there: it is sorted by comparing.
constexpr std::size_t kGroups = 256;

using ByteTable = std::array<unsigned char, 256>;

constexpr ByteTable kSameBytes = [] {
    ByteTable table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte) {
        table[byte] = static_cast<unsigned char>(byte);
    }
    return table;
}();

// A key's bytes, each read through a table: a plain-ASCII name read where
// it lies, folded as it is read, or a key made and kept, read as it is.
struct KeyView {
    const char* bytes;
    std::size_t length;
    const ByteTable* table;

    unsigned char operator[](std::size_t at) const {
        return (*table)[static_cast<unsigned char>(bytes[at])];
    }
};

int CompareFrom(const KeyView& a, const KeyView& b, std::size_t depth) {
    const std::size_t common = std::min(a.length, b.length);
    for (std::size_t at = depth; at < common; ++at) {
        if (a[at] != b[at]) {
            return a[at] < b[at] ? -1 : 1;
        }
    }
    return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
}

int ContinuationBytes(std::uint32_t character) {
    int count = 1;
    for (std::uint32_t limit = 0x800; count < 5 && character >= limit; limit <<= 5) {
        ++count;
    }
    return count;
}

// The folded characters as bytes that compare as the characters do: UTF-8,
// in its original form that reaches every value the locale's decoder gives
// (code points and the escapes of undecodable bytes).
void AppendInCharacterOrder(std::string& key, std::uint32_t character) {
    if (character < 0x80) {
        key += static_cast<char>(character);
        return;
    }
    int continuations = ContinuationBytes(character);
    const std::uint32_t lead = (0xFF00u >> (continuations + 1)) & 0xFFu;
    key += static_cast<char>(lead | (character >> (6 * continuations)));
    while (continuations-- > 0) {
        key += static_cast<char>(0x80 | ((character >> (6 * continuations)) & 0x3F));
    }
}

void AppendFoldedKey(std::string& keys, const std::wstring& name) {
    for (const wchar_t character : name) {
        AppendInCharacterOrder(
            keys, static_cast<std::uint32_t>(std::towlower(static_cast<std::wint_t>(character))));
    }
}

// Most names are plain ASCII, which a code page that keeps ASCII as it is
// decodes character for character: where the locale also folds ASCII to
// ASCII, such a name is its own key, read through a folding table.
class AsciiFolding {
  public:
    explicit AsciiFolding(const AnsiCodePage& codePage) : table_(kSameBytes) {
        std::string ascii;
        std::wstring kept;
        usable_ = true;
        for (std::uint32_t character = 0; character < kAscii; ++character) {
            ascii += static_cast<char>(character);
            kept += static_cast<wchar_t>(character);
            const auto folded = std::towlower(static_cast<std::wint_t>(character));
            usable_ = usable_ && folded < kAscii;  // not so in a Turkish locale
            table_[character] = static_cast<unsigned char>(folded);
        }
        usable_ = usable_ && codePage.FromAnsi(ascii) == kept;
    }

    bool IsOwnKey(std::string_view name) const {
        return usable_ && std::all_of(name.begin(), name.end(), [](char byte) {
                   return static_cast<unsigned char>(byte) < kAscii;
               });
    }
    const ByteTable& Table() const { return table_; }

  private:
    static constexpr std::uint32_t kAscii = 0x80;
    ByteTable table_;
    bool usable_ = false;
};

// Each name's folded key. A name that is its own key is read from the names
// (NameBytes(index) gives its bytes); the other keys are made once and kept,
// each after its length.
template <typename NameBytes>
class FoldedKeys {
  public:
    // appendKey(keys, index) appends the name's key, or returns false, with
    // keys unchanged, for a name that is its own key, read through ownFolding.
    template <typename AppendKey>
    FoldedKeys(std::size_t count, NameBytes nameBytes, AppendKey appendKey,
               const ByteTable& ownFolding)
        : nameBytes_(std::move(nameBytes)), ownFolding_(&ownFolding) {
        places_.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t place = kept_.size();
            kept_.resize(place + sizeof(std::uint32_t));
            if (!appendKey(kept_, i)) {
                kept_.resize(place);
                places_.push_back(kOwnKey);
                continue;
            }
            const std::size_t length = kept_.size() - place - sizeof(std::uint32_t);
            if (kept_.size() >= kOwnKey) {
                throw std::length_error("more than 4 GiB of sort keys");
            }
            const auto storedLength = static_cast<std::uint32_t>(length);
            std::memcpy(kept_.data() + place, &storedLength, sizeof storedLength);
            places_.push_back(static_cast<std::uint32_t>(place));
        }
    }

    std::size_t size() const { return places_.size(); }

    KeyView operator[](std::uint32_t index) const {
        const std::uint32_t place = places_[index];
        if (place == kOwnKey) {
            const std::string_view name = nameBytes_(index);
            return {name.data(), name.size(), ownFolding_};
        }
        std::uint32_t length = 0;
        std::memcpy(&length, kept_.data() + place, sizeof length);
        return {kept_.data() + place + sizeof length, length, &kSameBytes};
    }

  private:
    static constexpr std::uint32_t kOwnKey = std::numeric_limits<std::uint32_t>::max();

    NameBytes nameBytes_;
    const ByteTable* ownFolding_;
    std::string kept_;
    std::vector<std::uint32_t> places_;  // of each name's key in kept_, or kOwnKey
};

// NameAt(index) gives the name at an index as wide characters, for the order
// of names with the same key.
template <typename Keys, typename NameAt>
class FoldedKeySort {
  public:
    FoldedKeySort(const Keys& keys, NameAt nameAt)
        : keys_(keys), nameAt_(std::move(nameAt)), order_(keys.size()), held_(keys.size()) {
        for (std::size_t i = 0; i < order_.size(); ++i) {
            order_[i] = static_cast<std::uint32_t>(i);
        }
    }

    // The indexes of the names in sorted order.
    std::vector<std::uint32_t> Order() && {
        SortFrom(0, order_.size(), 0);
        held_ = std::vector<std::uint64_t>();
        sorting_ = std::vector<HeldName>();
        return std::move(order_);
    }

  private:
    // Names with the same folded key keep one order: their exact characters.
    bool Less(std::uint32_t a, std::uint32_t b, std::size_t depth) const {
        const int order = CompareFrom(keys_[a], keys_[b], depth);
        return order != 0 ? order < 0 : nameAt_(a) < nameAt_(b);
    }

    // The bytes held beside each index decide most comparisons without
    // reading a key: they hold the word that `depth` lies in, and only names
    // equal in all of it are compared from the next word on.
    void SortByComparing(std::size_t begin, std::size_t end, std::size_t depth) {
        const std::size_t nextWord = NextWord(depth);
        sorting_.clear();
        for (std::size_t at = begin; at < end; ++at) {
            sorting_.push_back({held_[at], order_[at]});
        }
        std::sort(sorting_.begin(), sorting_.end(), [&](const HeldName& a, const HeldName& b) {
            return a.held != b.held ? a.held < b.held : Less(a.name, b.name, nextWord);
        });
        for (std::size_t at = begin; at < end; ++at) {
            order_[at] = sorting_[at - begin].name;
        }
    }

    void HoldBytesFrom(std::size_t at, std::size_t depth) {
        const KeyView key = keys_[order_[at]];
        std::uint64_t bytes = 0;
        for (std::size_t i = depth; i < depth + kBytesHeld; ++i) {
            bytes = (bytes << 8) | (i < key.length ? key[i] : 0u);
        }
        held_[at] = bytes;
    }

    static std::size_t GroupOf(std::uint64_t held, std::size_t depth) {
        return (held >> (8 * (kBytesHeld - 1 - depth % kBytesHeld))) & 0xFF;
    }

    // The names in [begin, end) share their keys' first `depth` bytes.
    void SortFrom(std::size_t begin, std::size_t end, std::size_t depth) {
        for (;;) {
            if (depth % kBytesHeld == 0) {
                for (std::size_t at = begin; at < end; ++at) {
                    HoldBytesFrom(at, depth);
                }
            }
            if (end - begin < kSmallGroup) {
                SortByComparing(begin, end, depth);
                return;
            }
            const std::size_t nextWord = NextWord(depth);
            depth = PastSharedBytes(begin, end, depth);
            if (depth < nextWord) break;  // else all share the rest of the word
        }
        std::array<std::size_t, kGroups> counts{};
        for (std::size_t at = begin; at < end; ++at) {
            ++counts[GroupOf(held_[at], depth)];
        }
        if (counts[0] == end - begin) {  // all end here
            SortByComparing(begin, end, depth);
        } else {
            SplitIntoGroups(begin, depth, counts);
        }
    }

    // Names of one folder often share long stems: one pass finds the bytes
    // of the held word that all share, instead of a count for each. It stops
    // at a byte that differs, or that all keys end at.
    std::size_t PastSharedBytes(std::size_t begin, std::size_t end, std::size_t depth) const {
        const std::uint64_t first = held_[begin];
        std::uint64_t differing = 0;
        for (std::size_t at = begin + 1; at < end; ++at) {
            differing |= held_[at] ^ first;
        }
        const std::size_t wordStart = depth - depth % kBytesHeld;
        const auto shared = static_cast<std::size_t>(std::countl_zero(differing)) / 8;
        while (depth < wordStart + shared && GroupOf(first, depth) != 0) {
            ++depth;
        }
        return depth;
    }

    // Each name is moved straight to its group's next free place, and the
    // name found there taken on to its own group, until a name belongs where
    // it was found.
    void SplitIntoGroups(std::size_t begin, std::size_t depth,
                         const std::array<std::size_t, kGroups>& counts) {
        std::array<std::size_t, kGroups> starts{};
        starts[0] = begin;
        for (std::size_t group = 1; group < kGroups; ++group) {
            starts[group] = starts[group - 1] + counts[group - 1];
        }
        std::array<std::size_t, kGroups> filled = starts;
        for (std::size_t group = 0; group < kGroups; ++group) {
            const std::size_t groupEnd = starts[group] + counts[group];
            while (filled[group] < groupEnd) {
                std::uint32_t name = order_[filled[group]];
                std::uint64_t held = held_[filled[group]];
                for (std::size_t to = GroupOf(held, depth); to != group;
                     to = GroupOf(held, depth)) {
                    std::swap(name, order_[filled[to]]);
                    std::swap(held, held_[filled[to]]);
                    ++filled[to];
                }
                order_[filled[group]] = name;
                held_[filled[group]] = held;
                ++filled[group];
            }
        }
        for (std::size_t group = 0; group < kGroups; ++group) {
            if (counts[group] < 2) {
                continue;
            }
            const std::size_t groupEnd = starts[group] + counts[group];
            if (group == 0) {
                SortByComparing(starts[group], groupEnd, depth);
            } else {
                SortFrom(starts[group], groupEnd, depth + 1);
            }
        }
    }

    const Keys& keys_;
    NameAt nameAt_;
    std::vector<std::uint32_t> order_;
    std::vector<std::uint64_t> held_;  // beside each index in order_
    struct HeldName {
        std::uint64_t held;
        std::uint32_t name;
    };
    std::vector<HeldName> sorting_;  // one group sorted by comparing
};

}  // namespace

void SortIgnoringCase(std::vector<std::wstring>& names) {
    const auto noOwnBytes = [](std::size_t) { return std::string_view(); };
    const auto appendKey = [&names](std::string& keys, std::size_t index) {
        AppendFoldedKey(keys, names[index]);
        return true;
    };
    const FoldedKeys keys(names.size(), noOwnBytes, appendKey, kSameBytes);
    const auto nameAt = [&names](std::size_t index) -> const std::wstring& { return names[index]; };
    const std::vector<std::uint32_t> order = FoldedKeySort(keys, nameAt).Order();
    std::vector<std::wstring> sorted;
    sorted.reserve(names.size());
    for (const std::uint32_t index : order) {
        sorted.push_back(std::move(names[index]));
    }
    names = std::move(sorted);
}

std::vector<std::uint32_t> OrderIgnoringCase(const PackedNames& names,
                                             const AnsiCodePage& codePage) {
    const auto nameAt = [&](std::size_t index) { return codePage.FromAnsi(names[index]); };
    const AsciiFolding ascii(codePage);
    const auto nameBytes = [&names](std::size_t index) { return names[index]; };
    const auto appendKey = [&](std::string& keys, std::size_t index) {
        if (ascii.IsOwnKey(names[index])) {
            return false;
        }
        AppendFoldedKey(keys, nameAt(index));
        return true;
    };
    const FoldedKeys keys(names.size(), nameBytes, appendKey, ascii.Table());
    return FoldedKeySort(keys, nameAt).Order();
}

}  // namespace plimex::posix
