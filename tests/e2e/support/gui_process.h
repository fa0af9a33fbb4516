#pragma once
// A Windows program started by a test driver, with bounded waits for its
// windows and a sure end: the destructor closes it and, if it hangs, kills it.
//
// Each program is also watched for faults. Inside a Wine test session its
// standard output and error go to "<name>-<n>.log" in the session's output
// folder (WINE_SESSION_ARTIFACTS), where Wine's debugger writes its crash
// report; a program that faults ends with the exception code (0xC0000005 for
// an access violation) as exit status. Whenever the end of the program is
// seen (WaitForExit, Close, the destructor) a fault is reported once through
// the crash handler, which the drivers' main() turns into a test failure.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Windows path of a program given as a Unix path (Wine maps / to Z:).
std::string WindowsPath(const std::string& path);

// How much longer than usual a program may take to show its first window:
// E2E_START_ALLOWANCE_MS from the environment, default 0. A 32-bit program
// whose Wine runs under emulation takes about a minute to start.
DWORD StartAllowanceMs();

class GuiProcess {
public:
    using Environment = std::vector<std::pair<std::string, std::string>>;
    using CrashHandler = void (*)(const std::string& report);

    // Receives the report of every fault; the default prints it to stderr.
    static void SetCrashHandler(CrashHandler handler);

    GuiProcess() = default;
    GuiProcess(const GuiProcess&) = delete;
    GuiProcess& operator=(const GuiProcess&) = delete;
    ~GuiProcess();

    // Starts `program` (Windows or Unix path) with extra environment variables
    // on top of the driver's own. The program inherits the driver's WINEDEBUG,
    // which the test sessions set to Wine's checking heap; an entry in
    // `environment` overrides it. False, with a reason in error(), on failure.
    bool Start(const std::string& program, const std::string& arguments = {},
               const Environment& environment = {});
    // The first word of the command line of the next starts, in place of the
    // program's quoted path: a program may be started by a bare name.
    void SetCommandName(const std::string& name) { commandName_ = name; }

    // The first visible top-level window of this process whose title is exactly
    // `title`; nullptr when none appears within `timeoutMs`, which is longer
    // by the start allowance until the program has shown a window.
    HWND WaitForWindow(const char* title, DWORD timeoutMs) const;

    // A visible top-level window of the given class belonging to this process
    // (for example "#32770" for message boxes and dialogs, "#32768" for menus).
    HWND FindWindowOfClass(const char* className) const;
    HWND WaitForWindowOfClass(const char* className, DWORD timeoutMs) const;

    bool IsRunning() const;
    // Waits for the end; the exit code goes to *exitCode when given. A program
    // that Wine's debugger is attached to (it faulted) gets the debugger's time
    // on top of `timeoutMs`.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
    // Closes every top-level window of the process, waits, then kills it. A
    // program that faulted is reported, never killed unseen.
    void Close(DWORD timeoutMs = 5000);

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    const std::string& error() const { return error_; }
    // The report of this program's fault; empty while none was seen.
    const std::string& crash() const { return crash_; }
    // Where the program's output goes; empty outside a test session.
    const std::string& logPath() const { return logPath_; }

private:
    bool DebuggerAttached() const;
    // Looks at a program that has ended: a fault is reported (once).
    void CheckEnded() const;
    // The program faulted but has not ended: Wine's debugger holds it.
    void ReportHeld() const;
    void Report(const std::string& report) const;
    // timeoutMs, plus the start allowance while no window was seen.
    DWORD WindowWait(DWORD timeoutMs) const;

    PROCESS_INFORMATION info_{};
    std::string program_;
    std::string commandName_;
    std::string logPath_;
    std::string error_;
    mutable std::string crash_;
    mutable bool windowSeen_ = false;
};

// Polls `condition` every `stepMs` until it holds or `timeoutMs` passed.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs, DWORD stepMs = 20)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(stepMs);
    }
}

}  // namespace e2e
