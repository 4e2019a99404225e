#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
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
        bytes_.insert(bytes_.end(), name.begin(), name.end());
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
        return {bytes_.data() + begin, ends_[index] - begin};
    }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }

    // The names in their order, for a range-based for. Written out rather
    // than made of <ranges> views: clang 14, which builds the fuzz targets,
    // cannot compile libstdc++ 12's iota_view.
    class Iterator {
      public:
        Iterator(const PackedNames& names, std::size_t index) : names_(&names), index_(index) {}
        std::string_view operator*() const { return (*names_)[index_]; }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

      private:
        const PackedNames* names_;
        std::size_t index_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

  private:
    // Not a std::string: assigning an empty one keeps the old buffer, and a
    // cleared list would hold a folder's names until it is filled again.
    std::vector<char> bytes_;
    std::vector<std::uint32_t> ends_;
};

}  // namespace plimex
