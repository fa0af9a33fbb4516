#include "text.h"

Text FormatDecimal(const TextChar* format, std::int64_t value)
{
    Text digits;
    const bool negative = value < 0;
    // Work in unsigned so the most negative value does not overflow.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value)
                                       : static_cast<std::uint64_t>(value);
    do {
        digits.insert(digits.begin(), static_cast<TextChar>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        digits.insert(digits.begin(), static_cast<TextChar>('-'));

    Text result(format);
    const TextChar placeholder[] = {'%', 'd', 0};
    const auto at = result.find(placeholder);
    if (at != Text::npos)
        result.replace(at, 2, digits);
    return result;
}

std::string NarrowAscii(const Text& text)
{
    std::string result;
    result.reserve(text.size());
    for (TextChar c : text)
        result.push_back(static_cast<unsigned>(c) < 128 ? static_cast<char>(c) : '?');
    return result;
}
