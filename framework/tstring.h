#pragma once
// Text of the framework: TCHAR-wide, so the same sources build with 8-bit
// text (desktop) and with UNICODE (handheld).
#include <windows.h>
#include <tchar.h>

#include <string>

using tstring = std::basic_string<TCHAR>;

// Loads string resource `id`; empty when it is missing.
tstring AfxLoadString(UINT id, HINSTANCE hInstance = nullptr);

// Formats one int as "%d" does.
tstring AfxFormatInt(int value);
