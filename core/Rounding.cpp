#include "core/Rounding.h"

#include <cmath>

namespace penmarrow {

std::int64_t Round(Extended value) {
  // rintl rounds halves to even in the default rounding mode; it is far cheaper than nearbyintl.
  const Extended rounded = std::rint(value);
  if (!(rounded >= -0x1p63L && rounded < 0x1p63L)) throw EInvalidOp();
  return static_cast<std::int64_t>(rounded);
}

}  // namespace penmarrow
