#include "game/services.h"

#include <chrono>
#include <ctime>

namespace kestrune {

void StandardRandom::Reset(int32_t seed) {
    m_engine.seed(static_cast<uint32_t>(seed));
}

void StandardRandom::SeedFromClock() {
    std::random_device device;
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{device(), static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
    m_engine.seed(seq);
}

double SystemClock::SecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const double fraction =
        duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

}  // namespace kestrune
