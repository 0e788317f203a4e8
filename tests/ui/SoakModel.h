#pragma once
// The soak test's own account of what the main window should show, worked out with the core
// functions from what the saver can read off the window: the entry texts, the frequency names,
// the two check boxes and the slider. It never looks at the window's working state.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Projection.h"

namespace penmarrow::soak {

// The inputs as the saver sees them.
struct VisibleInputs {
  std::u16string initialDeposit;
  std::u16string regularDeposit;
  std::u16string alternativeDeposit;
  std::u16string rate;
  std::u16string years;
  std::u16string depositFrequency;
  std::u16string compoundFrequency;
  std::u16string alternativeFrequency;
  bool alternative = false;
  int startLater = 0;
  bool operator==(const VisibleInputs&) const = default;
};

// The points one chart series should hold.
struct SeriesPoints {
  std::vector<double> values;
  std::vector<std::u16string> labels;
  bool operator==(const SeriesPoints&) const = default;
};

// Initial deposit, regular deposits, total interest, total savings.
using Captions = std::array<std::u16string, 4>;

inline constexpr int SeriesCount = 6;
inline constexpr int FirstAlternativeSeries = 3;

struct Expectation {
  std::array<SeriesPoints, SeriesCount> series;
  std::array<Captions, 2> totals;
  bool overflowed = false;  // a projection of the current inputs left the 64-bit range
  // Which projection of the last recalculation overflowed; the alternative's ran only after yours.
  bool yoursOverflowed = false;
  bool alternativeOverflowed = false;
};

// The years all three series of the strategy starting at `first` hold a point for.
int HeldYears(const Expectation& expected, int first);
// The years the chart shows: the most any shown strategy holds.
int ShownYears(const Expectation& expected, bool alternative);
// Whether every shown strategy holds the year.
bool HeldByAll(const Expectation& expected, int year, bool alternative);

// The years field as its control reads it: a 32-bit whole number, else the minimum of 1.
int YearsOf(std::u16string_view text);

// What the window should show once it has recalculated `inputs`. A projection that overflows
// keeps the points it added and leaves everything it did not reach as `before` had it.
Expectation Expect(const VisibleInputs& inputs, const Expectation& before);

// The top of the tallest bar stack, added up as the chart adds its stacks.
double TallestStack(const Expectation& expected);

// What the year hint shows for one year.
struct HintFigures {
  std::u16string title;
  Captions yours;
  std::optional<Captions> alternative;
  bool operator==(const HintFigures&) const = default;
};
HintFigures FiguresOfYear(const Expectation& expected, int year, bool alternative);

// The year whose figures a pointer at chart position (`position`, `value`) asks for; 0 off the
// bars. `ambiguous` marks points too close to a boundary between two answers to predict.
struct PointerYear {
  int year = 0;
  bool ambiguous = false;
};
PointerYear YearAtPointer(double position, double value, double tallest,
                          const Expectation& expected, int years, bool alternative);

// What leaving a money or rate field writes into it.
std::u16string MoneyAfterLeaving(std::u16string_view text);
std::u16string RateAfterLeaving(std::u16string_view text);

}  // namespace penmarrow::soak
