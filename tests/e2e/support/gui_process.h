#pragma once
// A Windows program started by a test driver, with bounded waits for its
// windows and a sure end: the destructor closes it and, if it hangs, kills it.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Windows path of a program given as a Unix path (Wine maps / to Z:).
std::string WindowsPath(const std::string& path);

class GuiProcess {
public:
    using Environment = std::vector<std::pair<std::string, std::string>>;

    GuiProcess() = default;
    GuiProcess(const GuiProcess&) = delete;
    GuiProcess& operator=(const GuiProcess&) = delete;
    ~GuiProcess();

    // Starts `program` (Windows or Unix path) with extra environment variables
    // on top of the driver's own. False, with a reason in error(), on failure.
    bool Start(const std::string& program, const std::string& arguments = {},
               const Environment& environment = {});

    // The first visible top-level window of this process whose title is exactly
    // `title`; nullptr when none appears within `timeoutMs`.
    HWND WaitForWindow(const char* title, DWORD timeoutMs) const;

    // A visible top-level window of the given class belonging to this process
    // (for example "#32770" for message boxes and dialogs, "#32768" for menus).
    HWND FindWindowOfClass(const char* className) const;
    HWND WaitForWindowOfClass(const char* className, DWORD timeoutMs) const;

    bool IsRunning() const;
    // Waits for the end; the exit code goes to *exitCode when given.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    // Closes every top-level window of the process, waits, then kills it.
    void Close(DWORD timeoutMs = 5000);

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    const std::string& error() const { return error_; }

private:
    PROCESS_INFORMATION info_{};
    std::string error_;
};

// Polls `condition` every `stepMs` until it holds or `timeoutMs` passed.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs, DWORD stepMs = 20)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(stepMs);
    }
}

}  // namespace e2e
