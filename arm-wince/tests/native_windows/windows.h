#pragma once
// The two names of <windows.h> that shell/themes.h uses, for the host
// compiler: the theme table read by a native program.
#include <cstdint>

using COLORREF = std::uint32_t;
constexpr COLORREF RGB(unsigned red, unsigned green, unsigned blue)
{
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}
