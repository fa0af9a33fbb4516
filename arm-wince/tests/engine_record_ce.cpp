// The engine scenario on the device: each line of the record goes out with
// OutputDebugStringW, which the emulator collects. Then COREDLL's own
// generator (srand/rand, the emulator's stubs) for the seeds native writes
// with the engine's copy of it.

#include <cstdlib>

#include "engine_scenario.h"

using HINSTANCE = struct HINSTANCE__*;
extern "C" void OutputDebugStringW(const wchar_t* text);

namespace {

void Write(const std::string& line)
{
    const std::wstring wide(line.begin(), line.end());
    OutputDebugStringW(wide.c_str());
}

}  // namespace

extern "C" int WinMain(HINSTANCE, HINSTANCE, wchar_t*, int)
{
    PlayEngineScenario(Write);
    for (unsigned seed : kGeneratorSeeds) {
        std::srand(seed);
        std::string draws = "draws " + std::to_string(seed) + ":";
        for (int i = 0; i < 8; ++i)
            draws += " " + std::to_string(std::rand());
        Write(draws);
    }
    return 0;
}
