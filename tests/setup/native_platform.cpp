// Test doubles: native (POSIX) forms of what the installer's core asks of the
// system, so that the core links and runs in the native unit tests and the
// fuzzers. setup.exe uses the Win32 forms in setup/win32_platform.cpp.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "file_size_probe.h"
#include "path_platform.h"
#include "profile_file.h"

namespace {

class PosixPathPlatform : public PathPlatform {
public:
    std::string WindowsDirectory() override { return std::string(); }
    std::string SystemDirectory() override { return std::string(); }
    std::string CurrentDirectory() override
    {
        std::error_code error;
        const std::filesystem::path current = std::filesystem::current_path(error);
        return error ? std::string() : current.string();
    }
    LocalDate Today() override
    {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return LocalDate{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
    }
    unsigned DriveType(const std::string&) override { return 1; }  // no such root
    bool ChangeDirectory(const std::string& path) override { return chdir(path.c_str()) == 0; }
    unsigned long MakeDirectory(const std::string& path) override
    {
        if (mkdir(path.c_str(), 0777) == 0)
            return 0;
        return errno == EEXIST ? 183 : 3;
    }
};

class StdFileSizeProbe : public FileSizeProbe {
public:
    bool SizeOf(const std::string& path, std::uint64_t& size) override
    {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return false;
        const auto length = std::filesystem::file_size(path, error);
        if (error)
            return false;
        size = length;
        return true;
    }
};

}  // namespace

PathPlatform& SystemPathPlatform()
{
    static PosixPathPlatform platform;
    return platform;
}

FileSizeProbe& SystemFileSizeProbe()
{
    static StdFileSizeProbe probe;
    return probe;
}

ProfileReader& SystemProfileReader()
{
    static ProfileFileReader reader;
    return reader;
}
