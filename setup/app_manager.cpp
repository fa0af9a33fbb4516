#include "app_manager.h"

#include <windows.h>

#include <vector>

#include "command_line.h"

const char kAppManagerKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";

namespace {

#ifdef _WIN64
constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
#endif

std::optional<std::string> ReadAppManager(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppManagerKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return std::nullopt;
    BYTE value[MAX_PATH] = {};
    DWORD size = sizeof value;
    DWORD type = REG_NONE;
    const LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, value, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    const char* chars = reinterpret_cast<const char*>(value);
    std::size_t length = 0;
    while (length < size && length < sizeof value && chars[length] != '\0')
        ++length;
    std::string program(chars, length);
    if (type == REG_EXPAND_SZ) {
        const DWORD needed = ExpandEnvironmentStringsA(program.c_str(), nullptr, 0);
        std::vector<char> expanded(needed + 1);
        if (needed == 0 || ExpandEnvironmentStringsA(program.c_str(), expanded.data(),
                                                     static_cast<DWORD>(expanded.size())) == 0)
            return std::nullopt;
        program = expanded.data();
    }
    return UnquotedPath(program);
}

}  // namespace

std::optional<std::string> FindAppManager()
{
    std::optional<std::string> program = ReadAppManager(0);
    if (!program)
        program = ReadAppManager(kOtherView);
    return program;
}

std::uint32_t StartInPlaceOfInstaller(const std::string& program,
                                      const std::string& configurationPath)
{
    std::string line = JoinCommandLine({program, configurationPath});
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return GetLastError();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ExitProcess(0);
}
