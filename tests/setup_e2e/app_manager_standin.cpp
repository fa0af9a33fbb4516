// Stands in for the application manager in the installer's end-to-end tests:
// writes the command line it was started with to "cmdline.txt" beside itself
// and ends.

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    std::string output(self, length);
    output.erase(output.rfind('\\') + 1);
    output += "cmdline.txt";

    const char* commandLine = GetCommandLineA();
    const HANDLE file = CreateFileA(output.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    WriteFile(file, commandLine, static_cast<DWORD>(lstrlenA(commandLine)), &written, nullptr);
    CloseHandle(file);
    return 0;
}
