#include "posix/case_insensitive_order.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cwctype>
#include <limits>
#include <span>
#include <stdexcept>
#include <string_view>

namespace plimex::posix {
namespace {

// A folder of a million names is sorted by a most-significant-byte radix
// sort of keys folded once per name: its time grows with the count, where
// comparing names (and folding them in each comparison) grows faster.

// One name's place in the sort. `next` holds the key's bytes from the
// current depth rounded down to eight, so that most steps read no key. Where
// the key begins is kept apart: sixteen bytes a record, twice for the scratch.
struct SortRecord {
    std::uint64_t next;
    std::uint32_t length;
    std::uint32_t name;
};

constexpr std::size_t kBytesHeld = sizeof(SortRecord::next);
// Smaller groups are cheaper to sort by comparing their keys.
constexpr std::size_t kSmallGroup = 32;
// Group 0 holds the keys that end at the current depth, group 1 + b the
// keys whose byte there is b.
constexpr std::size_t kGroups = 257;

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
// decodes character for character: their keys are folded through a table,
// without decoding the name.
class AsciiFolding {
  public:
    explicit AsciiFolding(const AnsiCodePage& codePage) {
        std::string ascii;
        std::wstring kept;
        for (std::uint32_t character = 0; character < kAscii; ++character) {
            ascii += static_cast<char>(character);
            kept += static_cast<wchar_t>(character);
            folded_[character] =
                static_cast<std::uint32_t>(std::towlower(static_cast<std::wint_t>(character)));
        }
        usable_ = codePage.FromAnsi(ascii) == kept;
    }

    // False, with keys unchanged, for a name that is not all ASCII.
    bool AppendKey(std::string& keys, std::string_view name) const {
        if (!usable_) {
            return false;
        }
        const std::size_t begin = keys.size();
        for (const char byte : name) {
            const auto character = static_cast<unsigned char>(byte);
            if (character >= kAscii) {
                keys.resize(begin);
                return false;
            }
            AppendInCharacterOrder(keys, folded_[character]);
        }
        return true;
    }

  private:
    static constexpr std::uint32_t kAscii = 0x80;
    std::array<std::uint32_t, kAscii> folded_{};
    bool usable_ = false;
};

// NameAt(index) gives the name at an index as wide characters; AppendKey(keys,
// index) appends its folded key.
template <typename NameAt>
class FoldedKeySort {
  public:
    template <typename AppendKey>
    FoldedKeySort(std::size_t count, NameAt nameAt, AppendKey appendKey, std::size_t characters)
        : nameAt_(std::move(nameAt)) {
        records_.reserve(count);
        begins_.reserve(count);
        // One byte a character, as most names have.
        keys_.reserve(characters);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t begin = keys_.size();
            appendKey(keys_, i);
            if (keys_.size() > std::numeric_limits<std::uint32_t>::max()) {
                throw std::length_error("more than 4 GiB of sort keys");
            }
            begins_.push_back(static_cast<std::uint32_t>(begin));
            records_.push_back({0, static_cast<std::uint32_t>(keys_.size() - begin),
                                static_cast<std::uint32_t>(i)});
        }
    }

    // The indexes of the names in sorted order.
    std::vector<std::uint32_t> Order() {
        std::vector<SortRecord> scratch(records_.size());
        SortFrom(records_, scratch, 0);
        std::vector<std::uint32_t> order;
        order.reserve(records_.size());
        for (const SortRecord& record : records_) {
            order.push_back(record.name);
        }
        return order;
    }

  private:
    std::string_view KeyFrom(const SortRecord& record, std::size_t depth) const {
        return std::string_view(keys_).substr(begins_[record.name] + depth, record.length - depth);
    }

    // Names with the same folded key keep one order: their exact characters.
    bool Less(const SortRecord& a, const SortRecord& b, std::size_t depth) const {
        const int order = KeyFrom(a, depth).compare(KeyFrom(b, depth));
        return order != 0 ? order < 0 : ExactlyBefore(a, b);
    }

    bool ExactlyBefore(const SortRecord& a, const SortRecord& b) const {
        return nameAt_(a.name) < nameAt_(b.name);
    }

    void LoadBytesFrom(SortRecord& record, std::size_t depth) const {
        const std::size_t begin = begins_[record.name];
        std::uint64_t next = 0;
        for (std::size_t i = 0; i < kBytesHeld; ++i) {
            const std::size_t at = depth + i;
            next = (next << 8) |
                   (at < record.length ? static_cast<unsigned char>(keys_[begin + at]) : 0u);
        }
        record.next = next;
    }

    static std::size_t GroupAt(const SortRecord& record, std::size_t depth) {
        if (depth >= record.length) {
            return 0;
        }
        const std::size_t shift = 8 * (kBytesHeld - 1 - depth % kBytesHeld);
        return 1 + ((record.next >> shift) & 0xFF);
    }

    // The records share their keys' first `depth` bytes.
    void SortFrom(std::span<SortRecord> records, std::span<SortRecord> scratch, std::size_t depth) {
        for (;; ++depth) {
            if (records.size() < kSmallGroup) {
                std::sort(
                    records.begin(), records.end(),
                    [&](const SortRecord& a, const SortRecord& b) { return Less(a, b, depth); });
                return;
            }
            if (depth % kBytesHeld == 0) {
                for (SortRecord& record : records) {
                    LoadBytesFrom(record, depth);
                }
            }
            std::array<std::size_t, kGroups> counts{};
            for (const SortRecord& record : records) {
                ++counts[GroupAt(record, depth)];
            }
            if (counts[0] == records.size()) {  // all the same key
                std::sort(
                    records.begin(), records.end(),
                    [&](const SortRecord& a, const SortRecord& b) { return Less(a, b, depth); });
                return;
            }
            if (std::find(counts.begin(), counts.end(), records.size()) == counts.end()) {
                SplitIntoGroups(records, scratch, depth, counts);
                return;
            }
            // One byte for all: nothing to move, look at the next one.
        }
    }

    void SplitIntoGroups(std::span<SortRecord> records, std::span<SortRecord> scratch,
                         std::size_t depth, const std::array<std::size_t, kGroups>& counts) {
        std::array<std::size_t, kGroups> starts{};
        for (std::size_t group = 1; group < kGroups; ++group) {
            starts[group] = starts[group - 1] + counts[group - 1];
        }
        std::array<std::size_t, kGroups> ends = starts;
        for (const SortRecord& record : records) {
            scratch[ends[GroupAt(record, depth)]++] = record;
        }
        std::copy(scratch.begin(), scratch.begin() + static_cast<std::ptrdiff_t>(records.size()),
                  records.begin());
        for (std::size_t group = 0; group < kGroups; ++group) {
            if (counts[group] < 2) {
                continue;
            }
            const auto subrecords = records.subspan(starts[group], counts[group]);
            if (group == 0) {  // keys that end here: all the same
                std::sort(
                    subrecords.begin(), subrecords.end(),
                    [&](const SortRecord& a, const SortRecord& b) { return ExactlyBefore(a, b); });
            } else {
                SortFrom(subrecords, scratch.subspan(starts[group], counts[group]), depth + 1);
            }
        }
    }

    NameAt nameAt_;
    std::string keys_;
    std::vector<std::uint32_t> begins_;  // of each name's key in keys_
    std::vector<SortRecord> records_;
};

}  // namespace

void SortIgnoringCase(std::vector<std::wstring>& names) {
    std::size_t characters = 0;
    for (const std::wstring& name : names) {
        characters += name.size();
    }
    const auto nameAt = [&names](std::size_t index) -> const std::wstring& { return names[index]; };
    const auto appendKey = [&names](std::string& keys, std::size_t index) {
        AppendFoldedKey(keys, names[index]);
    };
    const std::vector<std::uint32_t> order =
        FoldedKeySort(names.size(), nameAt, appendKey, characters).Order();
    std::vector<std::wstring> sorted;
    sorted.reserve(names.size());
    for (const std::uint32_t index : order) {
        sorted.push_back(std::move(names[index]));
    }
    names = std::move(sorted);
}

std::vector<std::uint32_t> OrderIgnoringCase(const PackedNames& names,
                                             const AnsiCodePage& codePage) {
    std::size_t bytes = 0;
    for (const std::string_view name : names) {
        bytes += name.size();
    }
    const auto nameAt = [&](std::size_t index) { return codePage.FromAnsi(names[index]); };
    const AsciiFolding ascii(codePage);
    const auto appendKey = [&](std::string& keys, std::size_t index) {
        if (!ascii.AppendKey(keys, names[index])) {
            AppendFoldedKey(keys, nameAt(index));
        }
    };
    return FoldedKeySort(names.size(), nameAt, appendKey, bytes).Order();
}

}  // namespace plimex::posix
