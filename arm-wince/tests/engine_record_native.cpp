// The engine scenario natively: the record on standard output.

#include <cstdio>

#include "engine_scenario.h"

int main()
{
    PlayEngineScenario([](const std::string& line) { std::puts(line.c_str()); });
    return 0;
}
