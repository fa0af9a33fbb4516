#pragma once
#include <cstdint>

// The pseudo-random generator of the Windows C runtime (srand/rand), reproduced
// exactly so that a seed gives the same board natively, in the desktop program
// and on the handheld, whichever C runtime the program links.
class RuntimeRandom {
public:
    static constexpr int Max = 32767;

    void Seed(std::uint32_t seed) { state_ = seed; }

    // Next draw in 0..32767.
    int Next()
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_ = 1;
};
