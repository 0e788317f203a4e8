#pragma once
// Every figure the saver sees comes from x87 80-bit arithmetic evaluated in a fixed order.

#include <cfloat>

static_assert(LDBL_MANT_DIG == 64, "Penmarrow needs the x87 extended format for long double");
#ifdef __FAST_MATH__
#error \
    "Penmarrow must not be built with -ffast-math: the projection relies on IEEE rounding of every step"
#endif
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0 && __FLT_EVAL_METHOD__ != 2
#error "unexpected floating point evaluation method"
#endif

namespace penmarrow {

using Extended = long double;

}  // namespace penmarrow
