// An ARM program the Windows CE 3.0 import check must reject: it imports
// GetPropW (Windows CE .NET 4.0 and later), LockResource (a header macro on
// CE, which no COREDLL exports) and MessageBoxA (no 8-bit forms on CE, and in
// no table of the target). The test expects exactly these three offenders,
// and the emulator's loader refuses to load it. Never run.

using HINSTANCE = struct HINSTANCE__*;
using HWND = struct HWND__*;

extern "C" {
void* GetPropW(HWND window, const wchar_t* name);
void* LockResource(void* resource);
int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned type);

int WinMain(HINSTANCE, HINSTANCE, wchar_t*, int)
{
    if (GetPropW(nullptr, L"board") != nullptr)
        return LockResource(nullptr) != nullptr;
    return MessageBoxA(nullptr, "", "", 0);
}
}
