// Runtime services behind small interfaces, so that tests can script them.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace kestrune {

// One shared sequence of uniform numbers in [0, 1).
class IRandom {
public:
    virtual ~IRandom() = default;
    virtual double Next() = 0;
    // After a reset the sequence depends only on the seed.
    virtual void Reset(int32_t seed) = 0;
    virtual void SeedFromClock() = 0;
};

// Mersenne Twister: the C++ standard fixes its sequence, so a tower floor is the same
// maze on every platform and compiler. The [0, 1) conversion is ours for the same reason.
class StandardRandom final : public IRandom {
public:
    double Next() override;
    void Reset(int32_t seed) override;
    void SeedFromClock() override;

private:
    std::mt19937 m_engine{5489u};
};

// Seconds since local midnight, with a fraction.
class IClock {
public:
    virtual ~IClock() = default;
    virtual double SecondsSinceMidnight() = 0;
};

class SystemClock final : public IClock {
public:
    double SecondsSinceMidnight() override;
};

}  // namespace kestrune
