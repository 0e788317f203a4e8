#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/Rounding.h"

namespace penmarrow {
namespace {

constexpr Extended TwoTo63 = 0x1p63L;
constexpr std::int64_t Int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Int64Max = std::numeric_limits<std::int64_t>::max();
constexpr Extended Nan = std::numeric_limits<Extended>::quiet_NaN();
constexpr Extended Inf = std::numeric_limits<Extended>::infinity();

struct RoundCase {
  Extended value;
  std::int64_t rounded;
};

TEST(Round, GoesToTheNearestAndHalvesToEven) {
  const RoundCase cases[] = {
      {2.5L, 2},
      {3.5L, 4},
      {-2.5L, -2},
      {0.5L, 0},
      {-0.5L, 0},
      {1.5L, 2},
      {-3.5L, -4},
      {2.5L - 0x1p-62L, 2},  // the extended number just below 2.5
      {107.5L, 108},
      {52.5L, 52},
      {TwoTo63 - 1, Int64Max},
      {TwoTo63 - 1.5L, Int64Max - 1},
      {-TwoTo63, Int64Min},
      {-TwoTo63 + 0.5L, Int64Min},
  };
  for (const RoundCase& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.value));
    EXPECT_EQ(Round(c.value), c.rounded);
  }
}

// Values around both ends of the 64-bit range, NaN and the infinities.
const Extended Boundaries[] = {
    0,
    -TwoTo63 - 1,
    -TwoTo63,
    -TwoTo63 + 0.5L,
    TwoTo63 - 1.5L,
    TwoTo63 - 1,
    TwoTo63 - 0.5L,
    TwoTo63,
    TwoTo63 + 1,
    9.3e18L,
    -9.3e18L,
    Nan,
    Inf,
    -Inf,
};

TEST(Round, FailsOutsideThe64BitRangeAndForNaN) {
  const Extended failing[] = {TwoTo63 - 0.5L, TwoTo63, 9.3e18L, -9.3e18L,
                              -TwoTo63 - 1,   Nan,     Inf,     -Inf};
  for (const Extended value : failing) {
    SCOPED_TRACE(static_cast<double>(value));
    try {
      Round(value);
      ADD_FAILURE() << "Round should fail";
    } catch (const EInvalidOp& e) {
      EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
  }
}

TEST(RoundFits, AgreesWithWhetherRoundFails) {
  for (const Extended value : Boundaries) {
    SCOPED_TRACE(static_cast<double>(value));
    bool failed = false;
    try {
      Round(value);
    } catch (const EInvalidOp&) {
      failed = true;
    }
    EXPECT_EQ(RoundFits(value), !failed);
  }
}

}  // namespace
}  // namespace penmarrow
