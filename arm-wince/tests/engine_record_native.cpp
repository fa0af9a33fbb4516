// The engine scenario natively: the record on standard output, then the
// engine's copy of the Windows C runtime's generator for the seeds the ARM
// program draws from COREDLL's.

#include <cstdio>
#include <string>

#include "engine_scenario.h"
#include "runtime_random.h"

int main()
{
    PlayEngineScenario([](const std::string& line) { std::puts(line.c_str()); });
    for (unsigned seed : kGeneratorSeeds) {
        RuntimeRandom random;
        random.Seed(seed);
        std::string draws = "draws " + std::to_string(seed) + ":";
        for (int i = 0; i < 8; ++i)
            draws += " " + std::to_string(random.Next());
        std::puts(draws.c_str());
    }
    return 0;
}
