#pragma once
// Windows CE 3.0 as the program sees it: the types, constants, structures
// and functions of COREDLL.dll that the engine, the framework's CE layer,
// the shell and the handheld sources use, and nothing else. Written from the
// public Windows CE 3.0 and Win32 API reference (the function, structure
// and message pages of the CE 3.0 SDK and the CE 5.0 reference, which give
// the same values); no SDK header was used. Only the wide (W) forms exist on
// CE, and the generic names map to them, as every program here is UNICODE.
//
// The calling convention of CE on ARM is the plain one (WINAPI is empty);
// structures are laid out by apcs-gnu, so every structure's size and the
// offsets the program relies on are checked below against the documented
// 32-bit layout.
//
// Resource scripts include this file too: inside RC_INVOKED only the
// constants a script may name are defined.

#include "ce/windef.h"
#include "ce/winuser.h"
#include "ce/wingdi.h"
#include "ce/winbase.h"
