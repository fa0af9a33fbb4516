// An 8-bit window program the Windows XP import check must reject: it
// imports GetTickCount64 (Windows Vista and later), and its link options ask
// for subsystem version 6, which XP's loader refuses. The test expects
// exactly these two offenders. Never run.
#include <windows.h>

// The XP-level headers (_WIN32_WINNT 0x0501) hide the declaration.
extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return GetTickCount64() == 0 ? 1 : 0;
}
