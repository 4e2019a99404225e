#pragma once

#include <random>

#include "platform/random_source.h"

namespace plimex {

// Re-seeded from the clock's time of day, to the microsecond, at every call,
// so that two rotations never follow one fixed sequence from start-up.
class TimeOfDayRandom : public RandomSource {
  public:
    void RandomizeFromTimeOfDay() override;
    float Rnd() override;

  private:
    std::mt19937 engine_{0};
};

}  // namespace plimex
