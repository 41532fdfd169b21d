#include "viewer/truncation.h"

#include <algorithm>

namespace platemap {

namespace {
constexpr auto int32Min = std::numeric_limits<std::int32_t>::min();
constexpr auto int32Max = std::numeric_limits<std::int32_t>::max();
} // namespace

std::int32_t truncToInt32(double value) {
    if (value != value)
        return 0;
    if (value >= static_cast<double>(int32Max))
        return int32Max;
    if (value <= static_cast<double>(int32Min))
        return int32Min;
    return static_cast<std::int32_t>(value);
}

std::int32_t saturateToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, int32Min, int32Max));
}

} // namespace platemap
