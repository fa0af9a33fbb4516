// Built on purpose for ARMv4T, whose code returns with BX, with a Thumb
// function, and linked for a later subsystem with no relocations: the
// program check must reject it on each count, and the emulated SA-1110 stops
// at its first BX (arm-wince/tests/CMakeLists.txt).

using HINSTANCE = struct HINSTANCE__*;

__attribute__((noinline)) int Plus(int value) { return value + 1; }

__attribute__((target("thumb"), noinline)) int Twice(int value) { return value * 2; }

extern "C" int WinMain(HINSTANCE, HINSTANCE, wchar_t*, int show) { return Twice(Plus(show)); }
