#pragma once
#include <cstdint>

#include "text.h"

struct TimeOfDay {
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
};

// Everything the engine needs from the platform. The board view implements it
// over the registry, the clock, the window and the message box; the tests
// implement it in memory.
class BoardPlatform {
public:
    virtual ~BoardPlatform() = default;

    // Profile store: integers by section and value name.
    virtual std::int32_t GetProfileInt(const TextChar* section, const TextChar* key,
                                       std::int32_t defaultValue) = 0;
    virtual void WriteProfileInt(const TextChar* section, const TextChar* key,
                                 std::int32_t value) = 0;

    virtual TimeOfDay LocalTimeOfDay() = 0;

    // The runtime's generator: seed, then draws in 0..32767.
    virtual void SeedRandom(std::uint32_t seed) = 0;
    virtual int DrawRandom() = 0;

    // Invalidate the whole view and have it painted (at once on the desktop).
    virtual void RepaintNow() = 0;

    // Modal message box with the application's name as caption and one OK button.
    virtual void ShowMessage(const TextChar* text) = 0;
};
