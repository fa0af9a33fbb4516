#pragma once
// What CPathName needs from the operating system: the sources of its folder
// macros and the two directory operations. The installer passes the Win32
// implementation; the unit tests pass a fixed one.

#include <string>

struct LocalDate {
    int day = 1;     // 1..31
    int month = 1;   // 1..12
    int year = 1970;
};

class PathPlatform {
public:
    virtual ~PathPlatform() = default;

    virtual std::string WindowsDirectory() = 0;
    virtual std::string SystemDirectory() = 0;
    virtual std::string CurrentDirectory() = 0;
    virtual LocalDate Today() = 0;
    // Drive type of a root such as "D:" (GetDriveTypeA numbering, 5 = CD-ROM).
    virtual unsigned DriveType(const std::string& root) = 0;

    virtual bool ChangeDirectory(const std::string& path) = 0;
    // Creates one folder; yields 0 or the system error code (183 = exists).
    virtual unsigned long MakeDirectory(const std::string& path) = 0;
};

// The operating system's own implementation (Win32 in the Windows build,
// POSIX in the native build).
PathPlatform& SystemPathPlatform();
