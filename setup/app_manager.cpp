#include "app_manager.h"

#include <windows.h>

#include <vector>

#include "command_line.h"

const char kAppManagerKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";

std::optional<std::string> FindAppManager()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppManagerKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    BYTE value[MAX_PATH] = {};
    DWORD size = sizeof value;
    const LONG status = RegQueryValueExA(key, nullptr, nullptr, nullptr, value, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    const char* chars = reinterpret_cast<const char*>(value);
    std::size_t length = 0;
    while (length < size && length < sizeof value && chars[length] != '\0')
        ++length;
    return std::string(chars, length);
}

void StartInPlaceOfInstaller(const std::string& program, const std::string& configurationPath)
{
    std::string line = JoinCommandLine({program, configurationPath});
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ExitProcess(0);
}
