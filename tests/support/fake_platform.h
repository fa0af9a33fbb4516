#pragma once
// An in-memory platform for the engine: profile store, clock, generator,
// repaint counter and message log, with one event log that keeps their order.
// The engine's tests, the painter's tests and the drivers' model of the game
// all run the engine on it.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "board_platform.h"
#include "runtime_random.h"

class FakePlatform : public BoardPlatform {
public:
    std::map<std::string, std::int32_t> profile;  // "section/key" -> value
    TimeOfDay time{12, 0, 0};
    std::optional<std::uint32_t> lastSeed;
    std::deque<int> scriptedDraws;  // used before the runtime generator, when not empty
    RuntimeRandom random;
    int repaints = 0;
    std::vector<std::string> messages;
    std::vector<std::string> events;  // "read s/k", "write s/k=v", "repaint", "message ..."

    static std::string Key(const TextChar* section, const TextChar* key)
    {
        return NarrowAscii(section) + "/" + NarrowAscii(key);
    }

    std::int32_t GetProfileInt(const TextChar* section, const TextChar* key,
                               std::int32_t defaultValue) override
    {
        const std::string k = Key(section, key);
        events.push_back("read " + k);
        const auto it = profile.find(k);
        return it == profile.end() ? defaultValue : it->second;
    }

    void WriteProfileInt(const TextChar* section, const TextChar* key, std::int32_t value) override
    {
        const std::string k = Key(section, key);
        events.push_back("write " + k + "=" + std::to_string(value));
        profile[k] = value;
    }

    TimeOfDay LocalTimeOfDay() override { return time; }

    void SeedRandom(std::uint32_t seed) override
    {
        lastSeed = seed;
        random.Seed(seed);
    }

    int DrawRandom() override
    {
        if (!scriptedDraws.empty()) {
            const int draw = scriptedDraws.front();
            scriptedDraws.pop_front();
            return draw;
        }
        return random.Next();
    }

    void RepaintNow() override
    {
        ++repaints;
        events.push_back("repaint");
    }

    void ShowMessage(const TextChar* text) override
    {
        messages.push_back(NarrowAscii(text));
        events.push_back("message " + messages.back());
    }

    std::int32_t Stored(const std::string& sectionKey, std::int32_t missing = -12345) const
    {
        const auto it = profile.find(sectionKey);
        return it == profile.end() ? missing : it->second;
    }
};
