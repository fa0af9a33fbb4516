#pragma once
// CErrorText: fixed English words for the system error codes a file copy can
// end with, and the code in hexadecimal for any other.

#include <cstdint>
#include <string>

class CErrorText {
public:
    virtual ~CErrorText() = default;
    std::string TextFor(std::uint32_t code) const;
};
