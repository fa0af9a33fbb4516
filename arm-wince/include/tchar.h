#pragma once
// Generic text on Windows CE: always UTF-16. CE's WinMain takes the command
// line as UTF-16 already, so it is the generic entry point too.
#include <windows.h>

#define _T(x) L##x
#define _TEXT(x) L##x
#define _tWinMain WinMain
