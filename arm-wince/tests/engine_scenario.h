#pragma once
// The engine played through a list of games, written as a record of text
// lines. The same source is compiled natively and for ARM; the emulated
// StrongARM must write the same record as the native program
// (engine_compare.py), board for board, click for click.

#include <string>

void PlayEngineScenario(void (*writeLine)(const std::string& line));
