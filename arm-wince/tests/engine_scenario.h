#pragma once
// The engine played through a list of games, written as a record of text
// lines. The same source is compiled natively and for ARM; the emulated
// StrongARM must write the same record as the native program
// (engine_compare.py), board for board, click for click.

#include <string>

void PlayEngineScenario(void (*writeLine)(const std::string& line));

// Seeds for which the program draws from the generator directly: the engine's
// copy natively, COREDLL's rand on the device.
constexpr unsigned kGeneratorSeeds[] = {0, 1, 86399, 0xFFFFFFFFu};
