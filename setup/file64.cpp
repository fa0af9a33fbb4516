#include "file64.h"

int CFileError::CauseFor(DWORD osError)
{
    switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

CFile64::~CFile64()
{
    if (IsOpen() && m_closeOnDelete)
        Close();
    m_hFile = INVALID_HANDLE_VALUE;
}

bool CFile64::Open(const char* name, DWORD access, DWORD sharing, DWORD disposition,
                   CFileError* error, LPSECURITY_ATTRIBUTES security, DWORD flagsAndAttributes,
                   HANDLE templateFile)
{
    const HANDLE file =
        CreateFileA(name, access, sharing, security, disposition, flagsAndAttributes, templateFile);
    if (file == INVALID_HANDLE_VALUE) {
        if (error != nullptr) {
            error->osError = GetLastError();
            error->cause = CFileError::CauseFor(error->osError);
            error->fileName = name != nullptr ? name : "";
        }
        return false;
    }
    m_hFile = file;
    m_fileName = name;
    m_closeOnDelete = true;
    return true;
}

bool CFile64::Close()
{
    bool closed = true;
    if (IsOpen())
        closed = CloseHandle(m_hFile) != FALSE;
    m_hFile = INVALID_HANDLE_VALUE;
    m_closeOnDelete = false;
    m_fileName.clear();
    return closed;
}

std::uint64_t CFile64::GetLength() const
{
    DWORD high = 0;
    const DWORD low = GetFileSize(m_hFile, &high);
    return (static_cast<std::uint64_t>(high) << 32) | low;
}
