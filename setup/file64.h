#pragma once
// CFile64: a file handle opened with CreateFileA, closed on destruction, with
// its 64-bit length.

#include <windows.h>

#include <cstdint>
#include <string>

// What a failed open reports, in the manner of a file exception record.
struct CFileError {
    enum Cause {
        none = 0, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
        invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
        lockViolation, diskFull, endOfFile
    };
    DWORD osError = 0;
    int cause = none;
    std::string fileName;

    static int CauseFor(DWORD osError);
};

class CFile64 {
public:
    CFile64() = default;
    ~CFile64();
    CFile64(const CFile64&) = delete;
    CFile64& operator=(const CFile64&) = delete;

    bool Open(const char* name, DWORD access, DWORD sharing, DWORD disposition,
              CFileError* error = nullptr, LPSECURITY_ATTRIBUTES security = nullptr,
              DWORD flagsAndAttributes = 0, HANDLE templateFile = nullptr);
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    // Closes the handle if open; false when the system failed to close it.
    bool Close();
    std::uint64_t GetLength() const;
    const std::string& FileName() const { return m_fileName; }

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    bool m_closeOnDelete = false;
    std::string m_fileName;
};
