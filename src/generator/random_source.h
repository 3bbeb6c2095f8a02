// The random numbers a deal draws from, injected so a test can choose them.
#pragma once

#include <random>

namespace tessal {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    // A real in [0, 1). Callers still guard against 1.0, which some generators can return.
    virtual float next() = 0;
};

// The game's own source: reseeded from the time of day, seconds since midnight with fraction.
class TimeOfDayRandom final : public RandomSource {
  public:
    void reseed() override;
    float next() override;

  private:
    std::mt19937 engine_;
    std::uniform_real_distribution<float> spread_{0.0f, 1.0f};
};

} // namespace tessal
