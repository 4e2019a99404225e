#include "core/rotation.h"

#include <array>
#include <limits>

namespace plimex {

std::optional<int> IntervalLimit(std::wstring_view intervalCode) {
    struct Interval {
        std::wstring_view code;
        int limit;
    };
    constexpr std::array<Interval, 5> kIntervals{
        {{L"1", 60}, {L"2", 300}, {L"3", 900}, {L"4", 1800}, {L"5", 2700}}};
    for (const Interval& interval : kIntervals) {
        if (intervalCode == interval.code) {
            return interval.limit;
        }
    }
    return std::nullopt;
}

std::int16_t NextTickCount(std::int16_t tickCount) {
    if (tickCount == std::numeric_limits<std::int16_t>::max()) {
        return tickCount;
    }
    return static_cast<std::int16_t>(tickCount + 1);
}

float ProgressBarWidth(std::int16_t tickCount, int limit) {
    return static_cast<float>((tickCount * 100.0 / limit) * (kFullBarWidth / 100.0));
}

int RandomIndex(int count, float r) {
    const int index = static_cast<int>(static_cast<double>(count) * static_cast<double>(r));
    // A generator that ever returned 1 must not pick past the end.
    return index < count ? index : count - 1;
}

}  // namespace plimex
