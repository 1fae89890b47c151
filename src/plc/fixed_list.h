#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>

namespace qxed {

// A short list stored inline, so that the catalogue tables can be constexpr and still
// be written as plain brace lists. Listing more than Capacity items in a constant
// table fails to compile.
template <typename T, std::size_t Capacity>
class FixedList {
  public:
    constexpr FixedList() = default;
    constexpr FixedList(std::initializer_list<T> items) {
        for (const T& item : items)
            items_.at(size_++) = item;
    }

    // Container protocol, so the lists work with range-for and the standard algorithms.
    constexpr std::size_t size() const { return size_; }
    constexpr bool empty() const { return size_ == 0; }
    constexpr const T& operator[](std::size_t index) const { return items_[index]; }
    constexpr const T* begin() const { return items_.data(); }
    constexpr const T* end() const { return items_.data() + size_; }

    constexpr bool Contains(const T& value) const {
        for (const T& item : *this)
            if (item == value) return true;
        return false;
    }

  private:
    std::array<T, Capacity> items_{};
    std::size_t size_ = 0;
};

}  // namespace qxed
