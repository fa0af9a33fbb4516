#pragma once
// A tiny assertion runner for the ARM test programs, which run under the
// emulator: a failed check writes "FAIL file:line: what" with
// OutputDebugStringW (the emulator prints it) and is counted; Summary()
// writes "NAME: N passed, N failed" and gives the failures as exit code.

#include <charconv>
#include <cstdint>
#include <string>

extern "C" void OutputDebugStringW(const wchar_t* text);

namespace tiny_check {

struct Counts {
    int passed = 0;
    int failed = 0;
};

inline Counts& Tally()
{
    static Counts counts;
    return counts;
}

inline void Write(const std::string& line)
{
    const std::wstring wide(line.begin(), line.end());
    OutputDebugStringW(wide.c_str());
}

inline std::string Number(long long value)
{
    char digits[24];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

inline bool Record(bool passed, const char* file, int line, const std::string& what)
{
    if (passed) {
        ++Tally().passed;
    } else {
        ++Tally().failed;
        Write(std::string("FAIL ") + file + ":" + Number(line) + ": " + what);
    }
    return passed;
}

template <class Actual, class Expected>
bool Equal(const Actual& actual, const Expected& expected, const char* file, int line, const char* what)
{
    return Record(actual == expected, file, line,
                  std::string(what) + " (" + Number(static_cast<long long>(actual)) + " != " +
                      Number(static_cast<long long>(expected)) + ")");
}

inline int Summary(const char* name)
{
    Write(std::string(name) + ": " + Number(Tally().passed) + " passed, " + Number(Tally().failed) + " failed");
    return Tally().failed;
}

}  // namespace tiny_check

#define CHECK(condition) tiny_check::Record(static_cast<bool>(condition), __FILE__, __LINE__, #condition)
// Integers: the message gives both values.
#define CHECK_EQ(actual, expected) tiny_check::Equal((actual), (expected), __FILE__, __LINE__, #actual " == " #expected)
