// An ARM program the Windows CE 3.0 import check must reject: it imports
// GetPropW (Windows CE .NET 4.0 and later), DrawEdge (its CE version not
// confirmed) and MessageBoxA (no 8-bit forms on CE, and in no table of the
// target). The test expects exactly these three offenders. Never run.

using HINSTANCE = struct HINSTANCE__*;
using HWND = struct HWND__*;

extern "C" {
void* GetPropW(HWND window, const wchar_t* name);
int DrawEdge(void* dc, void* rect, unsigned edge, unsigned flags);
int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned type);

int WinMain(HINSTANCE, HINSTANCE, wchar_t*, int)
{
    if (GetPropW(nullptr, L"board") != nullptr)
        return DrawEdge(nullptr, nullptr, 0, 0);
    return MessageBoxA(nullptr, "", "", 0);
}
}
