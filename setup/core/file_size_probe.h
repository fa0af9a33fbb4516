#pragma once
// How CFileItem learns a file's size: opened for reading, shared for reading,
// existing files only. The Win32 form goes through CFile64.

#include <cstdint>
#include <string>

class FileSizeProbe {
public:
    virtual ~FileSizeProbe() = default;
    // Yields true and the size when the file could be opened.
    virtual bool SizeOf(const std::string& path, std::uint64_t& size) = 0;
};

FileSizeProbe& SystemFileSizeProbe();
