#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace plimex {

// Twips of the progress bar when the interval has run out.
inline constexpr double kFullBarWidth = 6135.0;

// The number of one-second ticks between two rotations for an interval code
// "1" to "5"; nothing for any other code.
std::optional<int> IntervalLimit(std::wstring_view intervalCode);

// One more tick; the count stops at the top of its range instead of wrapping.
std::int16_t NextTickCount(std::int16_t tickCount);

float ProgressBarWidth(std::int16_t tickCount, int limit);

// The entry that a uniform draw r in [0, 1) picks out of count entries.
int RandomIndex(int count, float r);

}  // namespace plimex
