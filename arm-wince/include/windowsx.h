#pragma once
// The position of a mouse (stylus) message, signed: windowsx.h's macros.
#include <windows.h>

#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
