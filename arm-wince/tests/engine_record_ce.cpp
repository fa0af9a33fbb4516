// The engine scenario on the device: each line of the record goes out with
// OutputDebugStringW, which the emulator collects.

#include "engine_scenario.h"

using HINSTANCE = struct HINSTANCE__*;
extern "C" void OutputDebugStringW(const wchar_t* text);

extern "C" int WinMain(HINSTANCE, HINSTANCE, wchar_t*, int)
{
    PlayEngineScenario([](const std::string& line) {
        const std::wstring wide(line.begin(), line.end());
        OutputDebugStringW(wide.c_str());
    });
    return 0;
}
