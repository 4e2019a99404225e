#pragma once

#include <cstdint>
#include <limits>
#include <ranges>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plimex {

// File names as the system gives them (bytes in its code page), one after
// another in one buffer. A folder of a million names then costs their bytes
// and one offset each, instead of a string object and an allocation each.
class PackedNames {
  public:
    PackedNames() = default;
    PackedNames(std::initializer_list<std::string_view> names) {
        for (const std::string_view name : names) {
            Add(name);
        }
    }

    void Add(std::string_view name) {
        if (bytes_.size() + name.size() > std::numeric_limits<std::uint32_t>::max()) {
            throw std::length_error("more than 4 GiB of file names");
        }
        bytes_.append(name);
        ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    }
    // Appends the other's names after these.
    void Append(const PackedNames& other) {
        for (std::size_t index = 0; index < other.size(); ++index) {
            Add(other[index]);
        }
    }

    std::string_view operator[](std::size_t index) const {
        const std::uint32_t begin = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(bytes_).substr(begin, ends_[index] - begin);
    }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    auto All() const {
        return std::views::iota(std::size_t{0}, size()) |
               std::views::transform([this](std::size_t index) { return (*this)[index]; });
    }

  private:
    std::string bytes_;
    std::vector<std::uint32_t> ends_;
};

}  // namespace plimex
