#include "random_source.h"

#include <chrono>

namespace tessal {

void TimeOfDayRandom::reseed() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    engine_.seed(
        static_cast<std::mt19937::result_type>(duration_cast<microseconds>(sinceMidnight).count()));
}

float TimeOfDayRandom::next() {
    return spread_(engine_);
}

} // namespace tessal
