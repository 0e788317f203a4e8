#include "core/FrequencyTable.h"

#include <algorithm>

namespace penmarrow {
namespace {

char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

bool SameFrequencyName(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b,
                            [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

std::optional<std::size_t> FrequencyPosition(std::u16string_view name) {
  const auto row = std::ranges::find_if(
      FrequencyTable, [&](const FrequencyRow& r) { return SameFrequencyName(r.Name, name); });
  if (row == FrequencyTable.end()) return std::nullopt;
  return static_cast<std::size_t>(row - FrequencyTable.begin());
}

std::optional<FrequencyRow> LookupFrequency(std::u16string_view name) {
  const std::optional<std::size_t> position = FrequencyPosition(name);
  if (!position) return std::nullopt;
  return FrequencyTable[*position];
}

bool IsContinuous(std::u16string_view name) { return SameFrequencyName(name, ContinuousName); }

std::vector<std::u16string_view> CompoundFrequencyList(std::size_t depositPosition) {
  const std::size_t offered = std::min(depositPosition, DiscreteFrequencyCount - 1) + 1;
  std::vector<std::u16string_view> names;
  for (std::size_t i = 0; i < offered; ++i) names.push_back(FrequencyTable[i].Name);
  names.push_back(ContinuousName);
  return names;
}

}  // namespace penmarrow
