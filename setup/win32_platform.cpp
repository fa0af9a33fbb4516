// The Win32 forms of the installer's platform operations.

#include <windows.h>

#include <vector>

#include "file64.h"
#include "file_size_probe.h"
#include "path_platform.h"
#include "profile_reader.h"

namespace {

// Runs a "fill this buffer, yield the length" call of the system, growing
// the buffer when the answer did not fit.
template <class Call>
std::string SystemText(Call call)
{
    std::vector<char> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD length = call(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);
    }
    return std::string();
}

class Win32PathPlatform : public PathPlatform {
public:
    std::string WindowsDirectory() override
    {
        return SystemText([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); });
    }
    std::string SystemDirectory() override
    {
        return SystemText([](char* b, UINT n) { return GetSystemDirectoryA(b, n); });
    }
    std::string CurrentDirectory() override
    {
        return SystemText([](char* b, UINT n) { return GetCurrentDirectoryA(n, b); });
    }
    LocalDate Today() override
    {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return LocalDate{now.wDay, now.wMonth, now.wYear};
    }
    unsigned DriveType(const std::string& root) override { return GetDriveTypeA(root.c_str()); }
    bool ChangeDirectory(const std::string& path) override
    {
        return SetCurrentDirectoryA(path.c_str()) != FALSE;
    }
    unsigned long MakeDirectory(const std::string& path) override
    {
        return CreateDirectoryA(path.c_str(), nullptr) ? 0 : GetLastError();
    }
};

class File64SizeProbe : public FileSizeProbe {
public:
    bool SizeOf(const std::string& path, std::uint64_t& size) override
    {
        CFile64 file;
        if (!file.Open(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING))
            return false;
        size = file.GetLength();
        file.Close();
        return true;
    }
};

class PrivateProfileReader : public ProfileReader {
public:
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& filePath) override
    {
        char value[kProfileValueMax + 1] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                                 filePath.c_str());
        value[kProfileValueMax] = '\0';
        return value;
    }
};

}  // namespace

PathPlatform& SystemPathPlatform()
{
    static Win32PathPlatform platform;
    return platform;
}

FileSizeProbe& SystemFileSizeProbe()
{
    static File64SizeProbe probe;
    return probe;
}

ProfileReader& SystemProfileReader()
{
    static PrivateProfileReader reader;
    return reader;
}
