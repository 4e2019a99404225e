#include "core/time_of_day_random.h"

#include <chrono>

namespace plimex {

void TimeOfDayRandom::RandomizeFromTimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    engine_.seed(static_cast<std::uint32_t>(duration_cast<microseconds>(sinceMidnight).count()));
}

namespace {
float UniformFloat(std::mt19937& engine) {
    // 24 random bits: every float in [0, 1) on that grid, never 1.
    return static_cast<float>(engine() >> 8) / 16777216.0f;
}
}  // namespace

float TimeOfDayRandom::Rnd() {
    return UniformFloat(engine_);
}

}  // namespace plimex
