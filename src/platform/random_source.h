#pragma once

namespace plimex {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void RandomizeFromTimeOfDay() = 0;
    // Uniform, 0 <= r < 1.
    virtual float Rnd() = 0;
};

}  // namespace plimex
