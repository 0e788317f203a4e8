#pragma once
// The compounding periods of one year of a discrete projection: the loop the projection spends
// nearly all of its time in.

#include <cstdint>

#include "core/Projection.h"

namespace penmarrow {

// Runs `count` periods from the running state: interest every period, deposits growing by
// `increment` a period and credited at a fixed spacing of periods, the last period always
// crediting. Every period rounds the interest (and, with `roundDeposits`, the credited deposits);
// only the last rounding is kept, so the others only check the range. Throws EInvalidOp, leaving
// the state as it was, when one of those roundings would fail.
void RunPeriods(const StrategyInputs& in, ProjectionState& state, std::int64_t count,
                Extended increment, bool roundDeposits);

}  // namespace penmarrow
