// Functions the emulator test calls by symbol (emulator_test.py): a table of
// function pointers, which only base relocations make right at another base,
// and calls out to stubs that call back into the program.

#include <cstdint>

using HINSTANCE = struct HINSTANCE__*;
using Callback = int (*)(int, int, int, int, int, int);

extern "C" {

// EMUPROBE.dll: the test's stubs.
int ProbeInvoke(Callback callback, int depth);
int ProbeMissing();

// What each callback received, for the test to read.
std::int32_t g_received[4][6];

namespace {

int Add(int a, int b) { return a + b; }
int Multiply(int a, int b) { return a * b; }
int Subtract(int a, int b) { return a - b; }

}  // namespace

int (*const g_operations[])(int, int) = {Add, Multiply, Subtract, Multiply};

int ApplyOperations(int value)
{
    for (auto operation : g_operations)
        value = operation(value, 3);
    return value;
}

int Nest(int depth);

// Called back by ProbeInvoke with six arguments, the last two on the stack;
// goes one level deeper through the stub while depth lasts.
int Received(int a, int b, int c, int d, int e, int depth)
{
    const std::int32_t arguments[6] = {a, b, c, d, e, depth};
    for (int i = 0; i < 6; ++i)
        g_received[depth][i] = arguments[i];
    return depth > 0 ? Nest(depth - 1) + 1 : 1000;
}

int Nest(int depth) { return ProbeInvoke(Received, depth); }

int CallMissing() { return ProbeMissing() + 1; }  // not a tail call: the stub sees the caller

int WinMain(HINSTANCE, HINSTANCE, wchar_t*, int) { return 0; }

}  // extern "C"
