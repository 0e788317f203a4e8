#pragma once
// A selection of a text in UTF-16 code units, and its one clamp to the text.

#include <algorithm>
#include <cstddef>

namespace penmarrow {

struct Selection {
  std::size_t start = 0;
  std::size_t length = 0;
};

// [selStart, selStart + selLength) cut to a text of `size` code units, so that a stale caret or an
// offset from outside never indexes past the text; a negative length selects nothing.
constexpr Selection ClampSelection(std::size_t size, long long selStart, long long selLength) {
  const auto units = static_cast<long long>(size);
  const long long start = std::clamp(selStart, 0LL, units);
  return {static_cast<std::size_t>(start),
          static_cast<std::size_t>(std::clamp(selLength, 0LL, units - start))};
}

}  // namespace penmarrow
