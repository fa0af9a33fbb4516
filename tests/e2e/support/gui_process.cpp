#include "gui_process.h"

#include <algorithm>
#include <cstring>

namespace e2e {

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string result = "Z:" + path;
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* title;      // exact title, or nullptr
    const char* className;  // exact class, or nullptr
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char text[256] = "";
    if (search->title) {
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, search->title) != 0)
            return TRUE;
    }
    if (search->className) {
        GetClassNameA(window, text, sizeof text);
        if (std::strcmp(text, search->className) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND FindProcessWindow(DWORD processId, const char* title, const char* className)
{
    WindowSearch search{processId, title, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM param)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(param))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Sets environment variables for the life of the object, restoring the old ones.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const GuiProcess::Environment& values)
    {
        for (const auto& [name, value] : values) {
            char old[4096];
            const DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
            saved_.push_back({name, length > 0 && length < sizeof old, old});
            SetEnvironmentVariableA(name.c_str(), value.c_str());
        }
    }
    ~ScopedEnvironment()
    {
        for (const auto& entry : saved_)
            SetEnvironmentVariableA(entry.name.c_str(),
                                    entry.existed ? entry.value.c_str() : nullptr);
    }

private:
    struct Saved {
        std::string name;
        bool existed;
        std::string value;
    };
    std::vector<Saved> saved_;
};

}  // namespace

GuiProcess::~GuiProcess()
{
    Close();
}

bool GuiProcess::Start(const std::string& program, const std::string& arguments,
                       const Environment& environment)
{
    Close();
    const std::string path = WindowsPath(program);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error_ = "no program at " + path;
        return false;
    }
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    ScopedEnvironment scoped(environment);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // Under load Wine now and then fails a start with an internal error; a
    // moment later the same start succeeds.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &info_))
            break;
        const DWORD error = GetLastError();
        info_ = {};
        if (attempt == 2 || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            error_ = "CreateProcess failed with error " + std::to_string(error);
            return false;
        }
        Sleep(500);
    }
    WaitForInputIdle(info_.hProcess, 20000);
    return true;
}

HWND GuiProcess::WaitForWindow(const char* title, DWORD timeoutMs) const
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProcessWindow(Id(), title, nullptr)) != nullptr; },
              timeoutMs);
    return window;
}

HWND GuiProcess::FindWindowOfClass(const char* className) const
{
    return FindProcessWindow(Id(), nullptr, className);
}

HWND GuiProcess::WaitForWindowOfClass(const char* className, DWORD timeoutMs) const
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowOfClass(className)) != nullptr; }, timeoutMs);
    return window;
}

bool GuiProcess::IsRunning() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool GuiProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const
{
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(info_.hProcess, exitCode);
    return true;
}

void GuiProcess::Close(DWORD timeoutMs)
{
    if (!info_.hProcess)
        return;
    if (IsRunning()) {
        // A message box or dialog first: its owner ignores WM_CLOSE while it is up.
        for (int round = 0; round < 5 && IsRunning(); ++round) {
            if (HWND box = FindWindowOfClass("#32770"))
                PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            EnumWindows(CloseWindowOf, static_cast<LPARAM>(Id()));
            if (WaitForSingleObject(info_.hProcess, timeoutMs / 5) == WAIT_OBJECT_0)
                break;
        }
        if (IsRunning()) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, timeoutMs);
        }
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

}  // namespace e2e
