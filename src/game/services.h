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
    // 53 random bits from two outputs, as a double in [0, 1). Inline, so that callers that
    // know the type (the maze generator draws millions) compile it into their loops.
    double Next() override {
        const uint64_t a = m_engine() >> 5;
        const uint64_t b = m_engine() >> 6;
        return static_cast<double>(a * 67108864ull + b) / 9007199254740992.0;
    }
    void Reset(int32_t seed) override;
    void SeedFromClock() override;

private:
    // std::mt19937's parameters on 32-bit words: the same sequence, but std::mt19937 stores
    // 64-bit words here and its refill runs about three times slower. Mazes draw millions.
    using Engine =
        std::mersenne_twister_engine<uint32_t, 32, 624, 397, 31, 0x9908b0dfu, 11, 0xffffffffu, 7,
                                     0x9d2c5680u, 15, 0xefc60000u, 18, 1812433253u>;
    Engine m_engine{5489u};
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
