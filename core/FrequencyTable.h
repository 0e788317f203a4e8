#pragma once
// How often deposits are paid and interest compounds, and which compound choices a deposit
// frequency allows.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace penmarrow {

struct FrequencyRow {
  std::u16string_view Name;
  std::int64_t CountPerYear;
  bool SubAnnual;
};

inline constexpr std::array<FrequencyRow, 6> FrequencyTable{{
    {u"Annually", 1, false},
    {u"Quarterly", 4, true},
    {u"Monthly", 12, true},
    {u"Weekly", 52, true},
    {u"Daily", 365, true},
    {u"Continuous", 3650, true},
}};

inline constexpr std::u16string_view ContinuousName = u"Continuous";
// Deposits and the alternative's compounding are offered every row but "Continuous".
inline constexpr std::size_t DiscreteFrequencyCount = FrequencyTable.size() - 1;

// Equal ignoring the case of the ASCII letters only.
bool SameFrequencyName(std::u16string_view a, std::u16string_view b);

// The first row whose name matches; nothing for a text that names no row.
std::optional<FrequencyRow> LookupFrequency(std::u16string_view name);
// ... and its position in the table.
std::optional<std::size_t> FrequencyPosition(std::u16string_view name);

bool IsContinuous(std::u16string_view name);

// For the deposit frequency at `depositPosition` (0 to 4): the first depositPosition + 1 names,
// then "Continuous". Compounding is never offered more often than deposits are made.
std::vector<std::u16string_view> CompoundFrequencyList(std::size_t depositPosition);

}  // namespace penmarrow
