#include "gui_process.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

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

// Wine's debugger, once attached to a program that faulted, writes its report
// and ends the program within a second or two; this bounds the wait for it.
const DWORD DebuggerGraceMs = 30000;

void PrintCrash(const std::string& report)
{
    std::fprintf(stderr, "%s\n", report.c_str());
}

GuiProcess::CrashHandler crashHandler = PrintCrash;

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Exit statuses that are exception codes: the program did not end by itself
// (Wine's debugger ends a program that faulted with the exception's code).
bool IsExceptionCode(DWORD code)
{
    return (code & 0xF0000000) == 0xC0000000 || code == EXCEPTION_BREAKPOINT;
}

std::string ExceptionName(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION: return " (access violation)";
    case EXCEPTION_STACK_OVERFLOW: return " (stack overflow)";
    case EXCEPTION_ILLEGAL_INSTRUCTION: return " (illegal instruction)";
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return " (integer division by zero)";
    case EXCEPTION_BREAKPOINT: return " (breakpoint)";
    case 0xC0000374: return " (heap corruption)";
    case 0xC0000409: return " (stack buffer overrun)";
    }
    return "";
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(WindowsPath(path), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    std::string result = text.str();
    result.erase(std::remove(result.begin(), result.end(), '\r'), result.end());
    return result;
}

// The lines of Wine's crash report (winedbg) worth reading in a test failure:
// what happened and the first frames of the backtrace, plus the C++ runtime's
// last words, if any.
std::string CrashSummary(const std::string& output)
{
    std::istringstream lines(output);
    std::string line, summary;
    int frames = 0;  // backtrace lines still to copy
    while (std::getline(lines, line)) {
        const bool frame = line.rfind("=>", 0) == 0 || line.rfind("  ", 0) == 0;
        if (frames > 0 && frame) {
            summary += "\n  " + line;
            --frames;
            continue;
        }
        frames = 0;
        if (line.rfind("Unhandled exception:", 0) == 0 || line.rfind("terminate called", 0) == 0 ||
            line == "Backtrace:") {
            summary += "\n  " + line;
            if (line == "Backtrace:")
                frames = 8;
        }
    }
    return summary;
}

}  // namespace

void GuiProcess::SetCrashHandler(CrashHandler handler)
{
    crashHandler = handler ? handler : PrintCrash;
}

GuiProcess::~GuiProcess()
{
    Close();
}

bool GuiProcess::Start(const std::string& program, const std::string& arguments,
                       const Environment& environment)
{
    Close();
    crash_.clear();
    logPath_.clear();
    windowSeen_ = false;
    const std::string path = WindowsPath(program);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error_ = "no program at " + path;
        return false;
    }
    program_ = BaseName(path);
    std::string commandLine = commandName_.empty() ? "\"" + path + "\"" : commandName_;
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');

    // The program's output (and Wine's crash report, which goes to the same
    // place) is kept in the session's output folder. Wine gives the program
    // this file as its standard output; its Unix stderr, where Wine's own
    // messages go, stays the session's.
    HANDLE log = INVALID_HANDLE_VALUE;
    const char* folder = std::getenv("WINE_SESSION_ARTIFACTS");
    if (folder && *folder) {
        static int started = 0;
        logPath_ = std::string(folder) + "/" + program_ + "-" + std::to_string(++started) + ".log";
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        log = CreateFileA(WindowsPath(logPath_).c_str(), GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log == INVALID_HANDLE_VALUE) {
            error_ = "cannot create " + logPath_ + ", error " + std::to_string(GetLastError());
            logPath_.clear();
            return false;
        }
    }

    ScopedEnvironment scoped(environment);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (log != INVALID_HANDLE_VALUE) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = log;
        startup.hStdError = log;
    }
    // Under load Wine now and then fails a start with an internal error; a
    // moment later the same start succeeds.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessA(commandName_.empty() ? nullptr : path.c_str(), buffer.data(), nullptr,
                           nullptr, log != INVALID_HANDLE_VALUE, 0, nullptr, nullptr, &startup,
                           &info_))
            break;
        const DWORD error = GetLastError();
        info_ = {};
        if (attempt == 2 || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            error_ = "CreateProcess failed with error " + std::to_string(error);
            if (log != INVALID_HANDLE_VALUE)
                CloseHandle(log);
            return false;
        }
        Sleep(500);
    }
    if (log != INVALID_HANDLE_VALUE)
        CloseHandle(log);
    WaitForInputIdle(info_.hProcess, 20000);
    return true;
}

DWORD StartAllowanceMs()
{
    const char* allowance = std::getenv("E2E_START_ALLOWANCE_MS");
    return allowance ? std::strtoul(allowance, nullptr, 10) : 0;
}

DWORD GuiProcess::WindowWait(DWORD timeoutMs) const
{
    return windowSeen_ ? timeoutMs : timeoutMs + StartAllowanceMs();
}

HWND GuiProcess::WaitForWindow(const char* title, DWORD timeoutMs) const
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProcessWindow(Id(), title, nullptr)) != nullptr; },
              WindowWait(timeoutMs));
    windowSeen_ = windowSeen_ || window != nullptr;
    return window;
}

HWND GuiProcess::FindWindowOfClass(const char* className) const
{
    return FindProcessWindow(Id(), nullptr, className);
}

HWND GuiProcess::WaitForWindowOfClass(const char* className, DWORD timeoutMs) const
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowOfClass(className)) != nullptr; },
              WindowWait(timeoutMs));
    windowSeen_ = windowSeen_ || window != nullptr;
    return window;
}

bool GuiProcess::IsRunning() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool GuiProcess::DebuggerAttached() const
{
    BOOL present = FALSE;
    return info_.hProcess && CheckRemoteDebuggerPresent(info_.hProcess, &present) && present;
}

bool GuiProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const
{
    if (!info_.hProcess)
        return false;
    DWORD result = WaitForSingleObject(info_.hProcess, timeoutMs);
    if (result == WAIT_TIMEOUT && DebuggerAttached())
        result = WaitForSingleObject(info_.hProcess, DebuggerGraceMs);
    if (result != WAIT_OBJECT_0) {
        if (DebuggerAttached())
            ReportHeld();
        return false;
    }
    CheckEnded();
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
        // A fault while closing: the debugger is writing its report.
        if (IsRunning() && DebuggerAttached())
            WaitForSingleObject(info_.hProcess, DebuggerGraceMs);
        if (IsRunning()) {
            if (DebuggerAttached())
                ReportHeld();
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, timeoutMs);
        }
    }
    CheckEnded();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

void GuiProcess::CheckEnded() const
{
    if (!crash_.empty() || IsRunning())
        return;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    const std::string output = logPath_.empty() ? std::string() : ReadText(logPath_);
    const std::string summary = CrashSummary(output);
    if (!IsExceptionCode(code) && summary.empty())
        return;
    std::string report = program_ + " (process " + std::to_string(Id()) + ") faulted: ";
    report += IsExceptionCode(code) ? "it ended with exception " + Hex(code) + ExceptionName(code)
                                    : "it ended with exit code " + std::to_string(code);
    report += summary;
    report += logPath_.empty() ? "\nWine's crash report is in the test's output."
                               : "\nIts output, with Wine's crash report: " + logPath_;
    Report(report);
}

void GuiProcess::ReportHeld() const
{
    if (!crash_.empty())
        return;
    Report(program_ + " (process " + std::to_string(Id()) +
           ") faulted: Wine's debugger still holds it (is its \"Program Error\" window up?)" +
           (logPath_.empty() ? std::string() : "\nIts output: " + logPath_));
}

void GuiProcess::Report(const std::string& report) const
{
    crash_ = report;
    crashHandler(report);
}

}  // namespace e2e
