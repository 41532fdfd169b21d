#pragma once

#include <cstdint>
#include <limits>

namespace platemap {

// The geometry divides by factors and sizes that a zero-sized client area can make 0; IEEE
// arithmetic turns those into infinities and NaNs, which truncToInt32 then maps to integers.
static_assert(std::numeric_limits<double>::is_iec559);

// Truncation toward zero for every value an int32 can hold. Beyond that range a plain cast is
// undefined, so values saturate at the nearer limit, and NaN becomes 0.
std::int32_t truncToInt32(double value);

// Integer sums and differences of int32 values are formed in 64 bits and narrowed through this.
std::int32_t saturateToInt32(std::int64_t value);

} // namespace platemap
