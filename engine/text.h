#pragma once
// Text of the engine: 8-bit for the desktop build, UTF-16 for the handheld
// build (QUENLARK_UTF16). On Windows the UTF-16 unit is wchar_t, elsewhere
// char16_t, so the same sources build and are tested natively in both widths.

#include <cstdint>
#include <string>

#if defined(QUENLARK_UTF16)
#  if defined(_WIN32)
using TextChar = wchar_t;
#    define QUENLARK_TEXT_PREFIX(s) L##s
#  else
using TextChar = char16_t;
#    define QUENLARK_TEXT_PREFIX(s) u##s
#  endif
#  define QTEXT(s) QUENLARK_TEXT_PREFIX(s)
#else
using TextChar = char;
#  define QTEXT(s) s
#endif

using Text = std::basic_string<TextChar>;

// Fills the one "%d" of a format with a signed decimal number, as sprintf
// would. Written here because the standard library has no formatting for
// char16_t; the engine's formats hold exactly one "%d".
Text FormatDecimal(const TextChar* format, std::int64_t value);

// Scores are unsigned 32-bit values and show as such wherever they appear:
// the score line, the end-of-game messages and the high score table all
// format them here, so a stored 0xFFFFFFFF reads 4294967295 in all three.
inline Text FormatScore(const TextChar* format, std::uint32_t score) { return FormatDecimal(format, score); }

// Engine text as 8-bit text, anything beyond 7 bits as '?' (tests and diagnostics).
std::string NarrowAscii(const Text& text);
