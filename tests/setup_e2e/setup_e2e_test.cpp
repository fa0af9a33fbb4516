// The installer end to end: an installation folder like the shipped one is
// built inside the Wine prefix, setup.exe is started from it and its dialog
// and message boxes are worked the way a user would, through the windows.

#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kSourceFolder[] = "C:\\Setup Files\\";
const char kManagerFolder[] = "C:\\Active Sync\\";
const char kManagerProgram[] = "C:\\Active Sync\\CEAPPMGR.EXE";
const char kManagerOutput[] = "C:\\Active Sync\\cmdline.txt";
const char kAppPathsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";
const char kDefaultTarget[] = "c:\\Program Files\\Quenlark\\";
const char kDesktopLink[] = "C:\\users\\Public\\Desktop\\Quenlark.lnk";
const char kStartMenuLink[] =
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Zandravex\\Quenlark.lnk";

const char kFullIni[] =
    "[CEAppManager]\r\nVersion=1.0\r\nComponent=Quenlark\r\n"
    "[Quenlark]\r\nDescription=Quenlark tile game\r\nCabFiles=Quenlark.ARM.CAB\r\n"
    "[zandravex]\r\nappname=Quenlark\r\ndesktop=QuenlarkPC.exe\r\nfilename=Quenlark.exe\r\n";

constexpr int IDC_INSTALL_PDA = 1000;
constexpr int IDC_INSTALL_DESKTOP = 1001;
constexpr int IDC_WELCOME = 1002;
constexpr int IDC_TARGET_FOLDER = 1003;
constexpr int IDC_BROWSE = 1004;
constexpr int IDC_TARGET_LABEL = 1005;

constexpr DWORD kWindowWaitMs = 30000;

// --- files -----------------------------------------------------------------

std::string WindowsPath(const char* unixPath)
{
    std::string path = unixPath != nullptr ? unixPath : "";
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Deletes a folder with everything in it; true when it is gone.
bool RemoveTreeOnce(std::string folder)
{
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTreeOnce(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
    return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// Deletes a file, trying again while Wine's desktop shell still reads it.
bool RemoveFile(const std::string& path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        DeleteFileA(path.c_str());
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(50);
    }
    return false;
}

// Wine's desktop shell may still be reading an icon from a program that a
// shortcut points at: try again for a few seconds.
bool RemoveTree(const std::string& folder)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (RemoveTreeOnce(folder))
            return true;
        Sleep(50);
    }
    return false;
}

// --- the shell link a test finds on disk -----------------------------------

struct LinkSettings {
    bool loaded = false;
    std::string path;
    std::string workingDirectory;
    std::string description;
    std::string iconFile;
    int iconIndex = -1;
    int showCommand = -1;
    std::string arguments = "<unread>";
    WORD hotKey = 0xFFFF;
};

LinkSettings ReadLink(const std::string& linkPath)
{
    LinkSettings settings;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return settings;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(file->Load(wide, STGM_READ))) {
            char text[MAX_PATH] = {};
            settings.loaded = true;
            if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
                settings.path = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH)))
                settings.workingDirectory = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetDescription(text, MAX_PATH)))
                settings.description = text;
            text[0] = '\0';
            if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &settings.iconIndex)))
                settings.iconFile = text;
            link->GetShowCmd(&settings.showCommand);
            text[0] = '\0';
            if (SUCCEEDED(link->GetArguments(text, MAX_PATH)))
                settings.arguments = text;
            link->GetHotkey(&settings.hotKey);
        }
        file->Release();
    }
    link->Release();
    return settings;
}

// Paths compared as Windows compares them: without regard to case or to the
// kind of separator, and without a trailing one.
std::string Folded(std::string text)
{
    for (char& c : text)
        c = c == '/' ? '\\' : static_cast<char>(tolower(static_cast<unsigned char>(c)));
    while (!text.empty() && text.back() == '\\')
        text.pop_back();
    return text;
}

// --- windows of the installer's process ------------------------------------

struct WindowSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || !IsWindowVisible(window))
        return TRUE;
    char className[64] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::string(className) == "#32770" &&
        (search->title == nullptr || std::string(title) == search->title)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// WM_GETTEXT, not GetWindowText: the latter cannot read another process's
// edit box.
std::string TextOf(HWND window)
{
    char text[2048] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    text[sizeof text - 1] = '\0';
    return text;
}

class Installer {
public:
    // The installer as laid out in its installation folder.
    explicit Installer(std::string folder = kSourceFolder) : m_folder(std::move(folder)) {}

    ~Installer()
    {
        if (m_process.hProcess != nullptr) {
            if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(m_process.hProcess, 1);
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }

    // Started from another folder than its own, so only its program path can
    // tell it where setup.ini is. The command line is the caller's choice:
    // the program file is named apart. Empty: the quoted program path.
    bool Start(std::string commandLine = std::string())
    {
        const std::string program = m_folder + "setup.exe";
        if (commandLine.empty())
            commandLine = "\"" + program + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        // Wine's desktop shell may briefly hold a freshly copied program.
        bool started = false;
        for (int attempt = 0; attempt < 40 && !started; ++attempt) {
            started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                     nullptr, "C:\\", &startup, &m_process) != FALSE;
            if (!started) {
                m_error = "CreateProcess failed with error " + std::to_string(GetLastError());
                Sleep(100);
            }
        }
        if (!started)
            return false;
        m_dialog = WaitForWindow("Setup", kWindowWaitMs);
        if (m_dialog == nullptr)
            m_error = "no dialog \"Setup\" appeared";
        return m_dialog != nullptr;
    }

    const std::string& Error() const { return m_error; }

    HWND WaitForWindow(const char* title, DWORD timeoutMs) const
    {
        const DWORD start = GetTickCount();
        do {
            WindowSearch search{m_process.dwProcessId, title, nullptr};
            EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr && search.found != m_dialog)
                return search.found;
            Sleep(50);
        } while (GetTickCount() - start < timeoutMs);
        return nullptr;
    }

    // Any other dialog of the installer (the folder browser, say).
    HWND WaitForOtherDialog(DWORD timeoutMs) const { return WaitForWindow(nullptr, timeoutMs); }

    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    std::string ItemText(int id) const { return TextOf(Item(id)); }
    bool ItemVisible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    bool Checked(int id) const
    {
        return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    // Posted, not sent: Install runs message boxes of its own before it returns.
    void Click(int id) const { PostMessageA(Item(id), BM_CLICK, 0, 0); }

    bool SetChecked(int id, bool checked) const
    {
        if (Checked(id) == checked)
            return true;
        Click(id);
        for (int i = 0; i < 200 && Checked(id) != checked; ++i)
            Sleep(25);
        return Checked(id) == checked;
    }

    void TypeFolder(const std::string& folder) const
    {
        SendMessageA(Item(IDC_TARGET_FOLDER), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(folder.c_str()));
    }

    // Waits for a message box with this caption, reads its text and closes it
    // with OK. Empty when none came.
    std::string AnswerMessageBox(const char* caption) const
    {
        const HWND box = WaitForWindow(caption, kWindowWaitMs);
        if (box == nullptr)
            return "<no message box \"" + std::string(caption) + "\">";
        const std::string text = TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 200 && IsWindow(box); ++i)
            Sleep(25);
        return text;
    }

    bool Ended(DWORD timeoutMs) const
    {
        return WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }

    // The dialog still answers: Install came back without ending the program.
    bool StillOpen() const
    {
        DWORD_PTR result = 0;
        return !Ended(0) && IsWindow(m_dialog) &&
               SendMessageTimeoutA(m_dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    }

    void Cancel() const { Click(IDCANCEL); }

    HWND Dialog() const { return m_dialog; }

    // Makes a folder the installer's current directory, from outside: Wine
    // starts no program in a folder whose path is longer than 260
    // characters, but a program may move into one.
    bool MoveInto(const std::wstring& folder) const
    {
        const SIZE_T bytes = (folder.size() + 1) * sizeof(wchar_t);
        void* remote = VirtualAllocEx(m_process.hProcess, nullptr, bytes, MEM_COMMIT | MEM_RESERVE,
                                      PAGE_READWRITE);
        if (remote == nullptr ||
            !WriteProcessMemory(m_process.hProcess, remote, folder.c_str(), bytes, nullptr))
            return false;
        const auto setCurrentDirectory = reinterpret_cast<LPTHREAD_START_ROUTINE>(
            reinterpret_cast<void*>(
                GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetCurrentDirectoryW")));
        const HANDLE thread = CreateRemoteThread(m_process.hProcess, nullptr, 0,
                                                 setCurrentDirectory, remote, 0, nullptr);
        if (thread == nullptr)
            return false;
        DWORD result = 0;
        const bool done = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 &&
                          GetExitCodeThread(thread, &result) && result != 0;
        CloseHandle(thread);
        VirtualFreeEx(m_process.hProcess, remote, 0, MEM_RELEASE);
        return done;
    }

private:
    std::string m_folder;
    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
    std::string m_error;
};

// Gives the keyboard focus to a control of another process.
void SetFocusTo(HWND control)
{
    const DWORD ours = GetCurrentThreadId();
    const DWORD theirs = GetWindowThreadProcessId(control, nullptr);
    AttachThreadInput(ours, theirs, TRUE);
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    AttachThreadInput(ours, theirs, FALSE);
}

// --- the installation folder and the registry ------------------------------

class SetupEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override
    {
        const char* setupExe = std::getenv("SETUP_EXE");
        const char* standin = std::getenv("APP_MANAGER_STANDIN");
        ASSERT_TRUE(setupExe != nullptr && standin != nullptr)
            << "SETUP_EXE and APP_MANAGER_STANDIN must name the programs";

        for (const char* folder : {kSourceFolder, kManagerFolder, kDefaultTarget})
            ASSERT_TRUE(RemoveTree(folder)) << "cannot clear " << folder;
        ASSERT_TRUE(RemoveFile(kDesktopLink) && RemoveFile(kStartMenuLink))
            << "cannot remove the shortcuts";

        ASSERT_TRUE(CreateDirectoryA(kManagerFolder, nullptr));
        ASSERT_TRUE(CopyFileA(WindowsPath(standin).c_str(), kManagerProgram, FALSE));
        ASSERT_NO_FATAL_FAILURE(LayOutInstallationFolder(kSourceFolder));
        RegisterAppManager(true);
    }

    // setup.exe, setup.ini, the desktop build and the side files in a folder.
    static void LayOutInstallationFolder(const std::string& folder)
    {
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        ASSERT_TRUE(CopyFileA(WindowsPath(std::getenv("SETUP_EXE")).c_str(),
                              (folder + "setup.exe").c_str(), FALSE));
        // Any program serves as the desktop build here: only its copy is checked.
        ASSERT_TRUE(CopyFileA(WindowsPath(std::getenv("APP_MANAGER_STANDIN")).c_str(),
                              (folder + "QuenlarkPC.exe").c_str(), FALSE));
        WriteFile(folder + "setup.ini", kFullIni);
        WriteFile(folder + "readme.txt", "How to play Quenlark\r\n");
        WriteFile(folder + "featured.gif", "GIF89a picture");
        WriteFile(folder + "Quenlark.html", "<html>Quenlark</html>");
    }

    static void WriteConfiguration(const std::string& text)
    {
        WriteFile(std::string(kSourceFolder) + "setup.ini", text);
    }

    // Registered in the driver's own (64-bit) view; both views are cleared.
    static void RegisterAppManager(bool registered)
    {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, KEY_WOW64_64KEY, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, KEY_WOW64_32KEY, 0);
        if (registered)
            SetAppManagerValue(REG_SZ, kManagerProgram, sizeof kManagerProgram);
    }

    static void SetAppManagerValue(DWORD type, const void* data, DWORD size,
                                   REGSAM view = KEY_WOW64_64KEY)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, nullptr, 0,
                                  KEY_WRITE | view, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, nullptr, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

    // The arguments the stand-in application manager was started with.
    static std::vector<std::string> ManagerArguments(DWORD timeoutMs)
    {
        const DWORD start = GetTickCount();
        while (!FileExists(kManagerOutput) && GetTickCount() - start < timeoutMs)
            Sleep(50);
        Sleep(100);  // let the stand-in finish writing
        const std::string line = ReadFile(kManagerOutput);
        if (line == "<missing>")
            return {};
        std::wstring wide(line.size() + 1, L'\0');
        MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
        int count = 0;
        LPWSTR* argv = CommandLineToArgvW(wide.c_str(), &count);
        std::vector<std::string> arguments;
        for (int i = 0; i < count; ++i) {
            char narrow[1024] = {};
            WideCharToMultiByte(CP_ACP, 0, argv[i], -1, narrow, sizeof narrow, nullptr, nullptr);
            arguments.push_back(narrow);
        }
        LocalFree(argv);
        return arguments;
    }

    static void ExpectInstalledIn(const std::string& target)
    {
        const std::string source = kSourceFolder;
        // Compared whole, but not printed: the program is binary.
        EXPECT_TRUE(ReadFile(target + "Quenlark.exe") == ReadFile(source + "QuenlarkPC.exe"))
            << target << "Quenlark.exe is not a copy of the desktop build";
        EXPECT_EQ(ReadFile(target + "readme.txt"), ReadFile(source + "readme.txt"));
        for (const char* linkPath : {kDesktopLink, kStartMenuLink})
            ExpectLinkToProgramIn(linkPath, target);
    }

    // Every setting of a shortcut to the program installed in a folder.
    static void ExpectLinkToProgramIn(const std::string& linkPath, const std::string& target)
    {
        const LinkSettings link = ReadLink(linkPath);
        EXPECT_TRUE(link.loaded) << linkPath;
        EXPECT_EQ(Folded(link.path), Folded(target + "Quenlark.exe")) << linkPath;
        EXPECT_EQ(Folded(link.workingDirectory), Folded(target)) << linkPath;
        EXPECT_EQ(link.description, "Quenlark") << linkPath;
        EXPECT_EQ(Folded(link.iconFile), Folded(target + "Quenlark.exe")) << linkPath;
        EXPECT_EQ(link.iconIndex, 0) << linkPath;
        EXPECT_EQ(link.showCommand, SW_SHOWNORMAL) << linkPath;
        EXPECT_EQ(link.arguments, "") << linkPath;
        EXPECT_EQ(link.hotKey, 0) << linkPath;
    }
};

const char kInstalled[] = "Quenlark has been successfully installed on your desktop computer";

TEST_F(SetupEndToEnd, DialogOffersBothInstallationsFromSetupIni)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    EXPECT_EQ(setup.ItemText(IDC_WELCOME),
              "Welcome to Quenlark setup. This program wll install Quenlark onto your PDA and "
              "desktop computer.\n\nPlease confirm your installation requirements below and then "
              "click on Install to continue. To abort installation, click on cancel.");
    EXPECT_EQ(setup.ItemText(IDC_INSTALL_PDA), "Install Quenlark on my PDA");
    EXPECT_EQ(setup.ItemText(IDC_INSTALL_DESKTOP), "Install Quenlark on my desktop computer");
    EXPECT_EQ(setup.ItemText(IDC_TARGET_LABEL), "Destination folder on my computer:");
    EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), kDefaultTarget);
    EXPECT_EQ(setup.ItemText(IDC_BROWSE), "&Browse ...");
    EXPECT_EQ(setup.ItemText(IDOK), "Install");
    EXPECT_EQ(setup.ItemText(IDCANCEL), "Cancel");
    EXPECT_TRUE(setup.Checked(IDC_INSTALL_PDA));
    EXPECT_TRUE(setup.Checked(IDC_INSTALL_DESKTOP));
    for (int id : {IDC_INSTALL_PDA, IDC_INSTALL_DESKTOP, IDC_TARGET_LABEL, IDC_TARGET_FOLDER,
                   IDC_BROWSE, IDOK, IDCANCEL, IDC_WELCOME})
        EXPECT_TRUE(setup.ItemVisible(id)) << "control " << id;
    EXPECT_TRUE(GetWindowLongA(setup.Dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongA(setup.Dialog(), GWL_STYLE) & WS_MINIMIZEBOX);

    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000)) << "Cancel ends the installer";
}

// setup.ini is found beside the program file whatever the command line says:
// a bare name, or arguments holding backslashes.
TEST_F(SetupEndToEnd, ConfigurationIsFoundBesideTheProgramFile)
{
    for (const char* commandLine : {"setup", "setup.exe C:\\elsewhere\\x.ini"}) {
        Installer setup;
        ASSERT_TRUE(setup.Start(commandLine)) << setup.Error();
        EXPECT_EQ(setup.ItemText(IDC_INSTALL_PDA), "Install Quenlark on my PDA") << commandLine;
        EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), kDefaultTarget) << commandLine;
        setup.Cancel();
        EXPECT_TRUE(setup.Ended(10000));
    }
    // The hand-off names the same file.
    Installer setup;
    ASSERT_TRUE(setup.Start("setup")) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
    setup.Click(IDOK);
    const std::vector<std::string> arguments = ManagerArguments(kWindowWaitMs);
    ASSERT_EQ(arguments.size(), 2u) << ReadFile(kManagerOutput);
    EXPECT_EQ(arguments[1], std::string(kSourceFolder) + "setup.ini");
    EXPECT_TRUE(setup.Ended(10000));
}

// Odd configurations start the dialog all the same: a name longer than the
// 255 characters kept, and a file of binary rubbish.
TEST_F(SetupEndToEnd, OddConfigurationsAreReadSafely)
{
    WriteConfiguration("[zandravex]\r\nappname=" + std::string(400, 'N') +
                       "\r\ndesktop=QuenlarkPC.exe\r\n");
    {
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        EXPECT_EQ(setup.ItemText(IDC_INSTALL_PDA), "Install " + std::string(255, 'N') + " on my PDA");
        EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), "c:\\Program Files\\");
        setup.Cancel();
        EXPECT_TRUE(setup.Ended(10000));
    }
    std::string rubbish;
    for (int i = 0; i < 4096; ++i)
        rubbish += static_cast<char>((i * 7919 + 13) % 256);
    WriteConfiguration(rubbish);
    {
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        EXPECT_EQ(setup.ItemText(IDC_WELCOME),
                  "Welcome to  setup. This program wll install  onto your PDA.\n\n"
                  "Please click on Install to continue or click on Cancel to abort installation");
        EXPECT_FALSE(setup.ItemVisible(IDC_INSTALL_DESKTOP));
        setup.Cancel();
        EXPECT_TRUE(setup.Ended(10000));
    }
}

TEST_F(SetupEndToEnd, BothInstallationsReportSuccessThenHandOver)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);

    const std::vector<std::string> arguments = ManagerArguments(kWindowWaitMs);
    ASSERT_EQ(arguments.size(), 2u) << ReadFile(kManagerOutput);
    EXPECT_EQ(Folded(arguments[0]), Folded(kManagerProgram));
    EXPECT_EQ(arguments[1], std::string(kSourceFolder) + "setup.ini");
    EXPECT_TRUE(setup.Ended(10000)) << "the application manager takes the installer's place";
    ExpectInstalledIn(kDefaultTarget);
}

TEST_F(SetupEndToEnd, DesktopAloneKeepsTheDialogAndASecondInstallOverwrites)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    EXPECT_TRUE(setup.StillOpen());
    ExpectInstalledIn(kDefaultTarget);

    // New side files in the source, spoilt copies in the target: all replaced.
    WriteFile(std::string(kSourceFolder) + "readme.txt", "Second edition\r\n");
    WriteFile(std::string(kSourceFolder) + "Quenlark.html", "<html>v2</html>");
    for (const std::string& path :
         {std::string(kDefaultTarget) + "Quenlark.exe", std::string(kDefaultTarget) + "featured.gif",
          std::string(kDesktopLink), std::string(kStartMenuLink)}) {
        for (int attempt = 0; attempt < 100 && ReadFile(path) != "spoilt"; ++attempt) {
            WriteFile(path, "spoilt");
            Sleep(attempt == 0 ? 0 : 50);
        }
        ASSERT_EQ(ReadFile(path), "spoilt") << "cannot spoil " << path;
    }
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    EXPECT_TRUE(setup.StillOpen());
    ExpectInstalledIn(kDefaultTarget);
    EXPECT_EQ(ReadFile(std::string(kDefaultTarget) + "readme.txt"), "Second edition\r\n");
    EXPECT_FALSE(FileExists(kManagerOutput)) << "no handheld installation was asked for";
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
}

TEST_F(SetupEndToEnd, HandheldAloneStartsTheApplicationManagerAtOnce)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
    setup.Click(IDOK);
    const std::vector<std::string> arguments = ManagerArguments(kWindowWaitMs);
    ASSERT_EQ(arguments.size(), 2u) << ReadFile(kManagerOutput);
    EXPECT_EQ(arguments[1], std::string(kSourceFolder) + "setup.ini");
    EXPECT_TRUE(setup.Ended(10000));
    EXPECT_FALSE(FileExists(std::string(kDefaultTarget) + "Quenlark.exe"));
    EXPECT_FALSE(FileExists(kDesktopLink));
}

TEST_F(SetupEndToEnd, WithoutDesktopProgramOnlyTheHandheldIsOffered)
{
    WriteConfiguration("[CEAppManager]\r\nComponent=Quenlark\r\n[zandravex]\r\nappname=Quenlark\r\n");
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    EXPECT_EQ(setup.ItemText(IDC_WELCOME),
              "Welcome to Quenlark setup. This program wll install Quenlark onto your PDA.\n\n"
              "Please click on Install to continue or click on Cancel to abort installation");
    for (int id : {IDC_INSTALL_PDA, IDC_INSTALL_DESKTOP, IDC_TARGET_LABEL, IDC_TARGET_FOLDER,
                   IDC_BROWSE})
        EXPECT_FALSE(setup.ItemVisible(id)) << "control " << id;
    for (int id : {IDOK, IDCANCEL, IDC_WELCOME})
        EXPECT_TRUE(setup.ItemVisible(id)) << "control " << id;

    // The hidden handheld box stays checked: Install hands over.
    setup.Click(IDOK);
    const std::vector<std::string> arguments = ManagerArguments(kWindowWaitMs);
    ASSERT_EQ(arguments.size(), 2u) << ReadFile(kManagerOutput);
    EXPECT_TRUE(setup.Ended(10000));
    EXPECT_FALSE(FileExists(std::string(kDefaultTarget) + "Quenlark.exe"));
}

TEST_F(SetupEndToEnd, MissingDesktopProgramIsReportedThenTheHandheldFollows)
{
    DeleteFileA((std::string(kSourceFolder) + "QuenlarkPC.exe").c_str());
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"),
              "The desktop version of Quenlark has not been installed: File not found");
    const std::vector<std::string> arguments = ManagerArguments(kWindowWaitMs);
    EXPECT_EQ(arguments.size(), 2u) << ReadFile(kManagerOutput);
    EXPECT_TRUE(setup.Ended(10000));
    EXPECT_FALSE(FileExists(kDesktopLink)) << "no shortcut without the program";
    EXPECT_FALSE(FileExists(std::string(kDefaultTarget) + "readme.txt"));
}

TEST_F(SetupEndToEnd, FolderThatCannotBeMadeStopsInstall)
{
    // A file where a folder of the path must go.
    WriteFile("C:\\blocker", "not a folder");
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    setup.TypeFolder("C:\\blocker\\sub\\");
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"),
              "Failed to create the target folder on your desktop computer:C:\\blocker\\sub\\. "
              "The desktop version of Quenlark will not be installed.");
    EXPECT_TRUE(setup.StillOpen());
    Sleep(1000);
    EXPECT_FALSE(FileExists(kManagerOutput)) << "no hand-off after the folder failure";
    EXPECT_FALSE(FileExists(kDesktopLink));
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
    DeleteFileA("C:\\blocker");
}

// The typed folder is taken as it stands, square brackets and all: the
// shortcuts start the program in that folder.
TEST_F(SetupEndToEnd, TypedFolderWithoutSeparatorIsInstalledInto)
{
    const std::string typed = "C:\\Typed [1] Target";
    RemoveTree(typed);
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    setup.TypeFolder(typed);
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    ExpectInstalledIn(typed + "\\");
    EXPECT_FALSE(FileExists("C:\\Typed [1] TargetQuenlark.exe"));
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
    RemoveTree(typed);
}

// Browse opens on the typed folder, shows it in the status line and puts the
// confirmed folder, parsed as a path, back into the edit box.
TEST_F(SetupEndToEnd, BrowseStartsAtTheTypedFolderAndParsesTheChoice)
{
    for (const char* folder : {"C:\\Browse Start", "C:\\Pick [x] here"})
        CreateDirectoryA(folder, nullptr);
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();

    setup.TypeFolder("C:\\Browse Start\\");
    setup.Click(IDC_BROWSE);
    HWND browser = setup.WaitForOtherDialog(kWindowWaitMs);
    ASSERT_NE(browser, nullptr) << "no folder browser";
    // 0x3743: the browse window's status line.
    EXPECT_EQ(Folded(TextOf(GetDlgItem(browser, 0x3743))), Folded("C:\\Browse Start"));
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 200 && IsWindow(browser); ++i)
        Sleep(25);
    EXPECT_EQ(Folded(setup.ItemText(IDC_TARGET_FOLDER)), Folded("C:\\Browse Start"));
    EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER).back(), '\\');

    // Square brackets in a chosen folder's name read as a macro and vanish.
    setup.TypeFolder("C:\\Pick [x] here");
    setup.Click(IDC_BROWSE);
    browser = setup.WaitForOtherDialog(kWindowWaitMs);
    ASSERT_NE(browser, nullptr) << "no folder browser";
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 200 && IsWindow(browser); ++i)
        Sleep(25);
    EXPECT_EQ(Folded(setup.ItemText(IDC_TARGET_FOLDER)), Folded("C:\\Pick  here"));

    // Cancel in the browser changes nothing.
    setup.TypeFolder("C:\\Browse Start\\");
    setup.Click(IDC_BROWSE);
    browser = setup.WaitForOtherDialog(kWindowWaitMs);
    ASSERT_NE(browser, nullptr) << "no folder browser";
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 200 && IsWindow(browser); ++i)
        Sleep(25);
    EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), "C:\\Browse Start\\");

    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
    RemoveTree("C:\\Browse Start");
    RemoveTree("C:\\Pick [x] here");
}

TEST_F(SetupEndToEnd, MissingApplicationManagerIsReported)
{
    RegisterAppManager(false);
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("Installation"),
              "Can not find ActiveSync. Please reinstall ActiveSync and than run this "
              "installation again.");
    EXPECT_TRUE(setup.StillOpen());
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
}

TEST_F(SetupEndToEnd, OddApplicationManagerValues)
{
    // A path longer than the 260-byte buffer counts as no application manager.
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\CEAPPMGR.EXE";
    SetAppManagerValue(REG_SZ, longPath.c_str(), static_cast<DWORD>(longPath.size() + 1));
    {
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("Installation"),
                  "Can not find ActiveSync. Please reinstall ActiveSync and than run this "
                  "installation again.");
        EXPECT_TRUE(setup.StillOpen());
        setup.Cancel();
        EXPECT_TRUE(setup.Ended(10000));
    }
    // A program that cannot be started, and a value that is no text at all:
    // the start fails, the user is told why, and the dialog stays.
    const char missing[] = "C:\\nowhere\\CEAPPMGR.EXE";
    const DWORD number = 0x41414141;
    struct Value {
        DWORD type;
        std::string data;
        const char* program;  // as the installer reads it
        const char* reason;
    };
    const Value values[] = {
        {REG_SZ, std::string(missing, sizeof missing), missing, "Path not found"},
        {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number), "AAAA",
         "File not found"},
    };
    for (const Value& value : values) {
        SetAppManagerValue(value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("Installation"),
                  std::string("ActiveSync's application manager ") + value.program +
                      " could not be started: " + value.reason);
        EXPECT_TRUE(setup.StillOpen());
        setup.Cancel();
        EXPECT_TRUE(setup.Ended(10000));
    }
}

// The application manager as installers register it: in the 32-bit view of
// the registry, in quotes, or as a value to expand. Each is found and started.
TEST_F(SetupEndToEnd, ApplicationManagerIsFoundInEitherViewQuotedOrToExpand)
{
    // Wine shares App Paths between the two views; Windows keeps them apart.
    HKEY link = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                      "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths",
                      REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS, &link) == ERROR_SUCCESS) {
        RegDeleteKeyA(link, "");
        RegCloseKey(link);
    }
    RegisterAppManager(false);
    SetAppManagerValue(REG_SZ, kManagerProgram, sizeof kManagerProgram, KEY_WOW64_32KEY);
    HKEY own = nullptr;
    ASSERT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, KEY_READ | KEY_WOW64_64KEY, &own),
              ERROR_SUCCESS)
        << "the 64-bit view must not see the 32-bit registration";

    const std::string quoted = std::string("\"") + kManagerProgram + "\"";
    const char expandable[] = "%SystemDrive%\\Active Sync\\CEAPPMGR.EXE";
    const std::pair<DWORD, std::string> values[] = {
        {REG_SZ, quoted},
        {REG_EXPAND_SZ, expandable},
    };
    for (int registration = 0; registration < 3; ++registration) {
        if (registration > 0) {
            RegisterAppManager(false);
            const auto& [type, text] = values[registration - 1];
            SetAppManagerValue(type, text.c_str(), static_cast<DWORD>(text.size() + 1));
        }
        DeleteFileA(kManagerOutput);
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
        setup.Click(IDOK);
        const std::vector<std::string> arguments = ManagerArguments(kWindowWaitMs);
        if (arguments.size() != 2u) {
            ADD_FAILURE() << "registration " << registration
                          << ": the application manager was not started properly: "
                          << ReadFile(kManagerOutput);
            continue;
        }
        EXPECT_EQ(Folded(arguments[0]), Folded(kManagerProgram));
        EXPECT_EQ(arguments[1], std::string(kSourceFolder) + "setup.ini");
        EXPECT_TRUE(setup.Ended(10000));
    }
    RegisterAppManager(true);
}

TEST_F(SetupEndToEnd, KeysOfTheDialog)
{
    {
        // Enter in the edit box presses Install.
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
        SetFocusTo(setup.Item(IDC_TARGET_FOLDER));
        PostMessageA(setup.Item(IDC_TARGET_FOLDER), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageA(setup.Item(IDC_TARGET_FOLDER), WM_KEYUP, VK_RETURN, 0xC01C0001);
        EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
        // Escape acts as Cancel.
        PostMessageA(setup.Item(IDC_TARGET_FOLDER), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(setup.Item(IDC_TARGET_FOLDER), WM_KEYUP, VK_ESCAPE, 0xC0010001);
        EXPECT_TRUE(setup.Ended(10000)) << "Escape ends the installer";
    }
    {
        // So does the window's close button.
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        PostMessageA(setup.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(setup.Ended(10000)) << "closing the window ends the installer";
    }
}

TEST_F(SetupEndToEnd, BothBoxesClearedDoesNothing)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    setup.Click(IDOK);
    EXPECT_EQ(setup.WaitForWindow("setup", 1500), nullptr);
    EXPECT_TRUE(setup.StillOpen());
    EXPECT_FALSE(FileExists(kManagerOutput));
    EXPECT_FALSE(FileExists(std::string(kDefaultTarget) + "Quenlark.exe"));
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
}

// An empty or blank folder box, a drive root, or a path that climbs back to
// one: Install refuses before anything is copied, and a file of the same name
// in the root stays as it was.
TEST_F(SetupEndToEnd, EmptyBlankOrRootFolderIsRefused)
{
    WriteFile("C:\\readme.txt", "Not the installer's\r\n");
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    for (const char* typed : {"", "   ", "C:\\", "\\", "C:\\Program Files\\Quenlark\\..\\..\\.."}) {
        setup.TypeFolder(typed);
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("setup"),
                  std::string("The target folder on your desktop computer must be a folder below "
                              "the root of a drive:") +
                      typed + ". The desktop version of Quenlark will not be installed.")
            << "typed: \"" << typed << "\"";
        EXPECT_TRUE(setup.StillOpen());
    }
    EXPECT_EQ(ReadFile("C:\\readme.txt"), "Not the installer's\r\n");
    for (const char* path : {"C:\\Quenlark.exe", "C:\\featured.gif", "C:\\Quenlark.html",
                             kDesktopLink, kStartMenuLink})
        EXPECT_FALSE(FileExists(path)) << path;
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
    for (const char* path : {"C:\\readme.txt", "C:\\Quenlark.exe", "C:\\featured.gif",
                             "C:\\Quenlark.html"})
        RemoveFile(path);
}

// The installer's own folder is a plain path: square brackets in its name are
// no folder macro.
TEST_F(SetupEndToEnd, InstallerFolderWithSquareBracketsIsAPlainPath)
{
    const std::string folder = "C:\\Quenlark [1.2]\\";
    ASSERT_TRUE(RemoveTree(folder));
    ASSERT_NO_FATAL_FAILURE(LayOutInstallationFolder(folder));
    Installer setup(folder);
    ASSERT_TRUE(setup.Start()) << setup.Error();
    EXPECT_EQ(setup.ItemText(IDC_WELCOME),
              "Welcome to Quenlark setup. This program wll install Quenlark onto your PDA and "
              "desktop computer.\n\nPlease confirm your installation requirements below and then "
              "click on Install to continue. To abort installation, click on cancel.");
    EXPECT_TRUE(setup.ItemVisible(IDC_INSTALL_DESKTOP));
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    const std::vector<std::string> arguments = ManagerArguments(kWindowWaitMs);
    ASSERT_EQ(arguments.size(), 2u) << ReadFile(kManagerOutput);
    EXPECT_EQ(arguments[1], folder + "setup.ini");
    EXPECT_TRUE(setup.Ended(10000));
    ExpectInstalledIn(kDefaultTarget);
    RemoveTree(folder);
}

// Names in setup.ini that would put a file or a shortcut outside its folder,
// or into a device: nothing is made, and the user is told which name.
TEST_F(SetupEndToEnd, NamesThatAreNoPlainFileOrFolderNameAreRefused)
{
    const auto ini = [](const std::string& component, const std::string& appName,
                        const std::string& fileName) {
        return "[CEAppManager]\r\nVersion=1.0\r\nComponent=" + component +
               "\r\n[zandravex]\r\nappname=" + appName +
               "\r\ndesktop=QuenlarkPC.exe\r\nfilename=" + fileName + "\r\n";
    };
    struct Case {
        std::string configuration;
        std::string name;
        std::string appName;
        std::vector<std::string> outside;  // where today's installer would write
    };
    const Case cases[] = {
        {ini("Quenlark", "Quenlark", "..\\..\\..\\windows\\evil.exe"),
         "..\\..\\..\\windows\\evil.exe", "Quenlark", {"C:\\windows\\evil.exe"}},
        {ini("Quenlark", "Quenlark", "NUL"), "NUL", "Quenlark", {}},
        {ini("..\\..\\windows\\Quenlark", "Quenlark", "Quenlark.exe"), "..\\..\\windows\\Quenlark",
         "Quenlark", {"C:\\windows\\Quenlark"}},
        {ini("Quenlark", "..\\..\\Quenlark", "Quenlark.exe"), "..\\..\\Quenlark",
         "..\\..\\Quenlark",
         {"C:\\users\\Quenlark.lnk", "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Quenlark.lnk"}},
        {ini("Quenlark", "C:\\Quenlark", "Quenlark.exe"), "C:\\Quenlark", "C:\\Quenlark", {}},
    };
    for (const Case& refused : cases) {
        WriteConfiguration(refused.configuration);
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        const std::string target = setup.ItemText(IDC_TARGET_FOLDER);
        EXPECT_EQ(target.compare(0, 17, "c:\\Program Files\\"), 0) << target;
        EXPECT_EQ(target.find(".."), std::string::npos) << target;
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("setup"),
                  "The file setup.ini holds a name that is not a plain file or folder name:" +
                      refused.name + ". The desktop version of " + refused.appName +
                      " will not be installed.");
        EXPECT_TRUE(setup.StillOpen());
        setup.Cancel();
        EXPECT_TRUE(setup.Ended(10000));
        EXPECT_FALSE(FileExists(kDefaultTarget)) << refused.name << ": a folder was made";
        for (const std::string& path : refused.outside)
            EXPECT_FALSE(FileExists(path)) << refused.name << ": " << path;
        EXPECT_FALSE(FileExists(kDesktopLink)) << refused.name;
        EXPECT_FALSE(FileExists(kStartMenuLink)) << refused.name;

        // What today's installer leaves behind must not spoil the next case.
        for (const std::string& path : refused.outside) {
            RemoveFile(path);
            RemoveTree(path);
        }
        RemoveTree(kDefaultTarget);
        RemoveFile(kDesktopLink);
        RemoveFile(kStartMenuLink);
    }
}

// A shell folder that is missing, too long or given to expand: a folder that
// cannot be read gets no shortcut, the other shortcut is still written, and
// an expandable one is expanded.
TEST_F(SetupEndToEnd, ShellFolderThatCannotBeReadGetsNoShortcut)
{
    const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const auto set = [&](const char* name, DWORD type, const std::string& value) {
        HKEY shellFolders = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE, &shellFolders),
                  ERROR_SUCCESS);
        if (type == REG_NONE)
            RegDeleteValueA(shellFolders, name);
        else
            RegSetValueExA(shellFolders, name, 0, type,
                           reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
        RegCloseKey(shellFolders);
    };
    const std::string desktop = "C:\\users\\Public\\Desktop";
    const std::string startMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
    struct Run {
        DWORD desktopType;
        std::string desktopValue;
        DWORD startMenuType;
        std::string startMenuValue;
        bool desktopLink;
        bool startMenuLink;
    };
    const Run runs[] = {
        {REG_NONE, "", REG_SZ, startMenu, false, true},
        {REG_SZ, "C:\\" + std::string(250, 'd'), REG_SZ, startMenu, false, true},
        {REG_SZ, desktop, REG_NONE, "", true, false},
        {REG_EXPAND_SZ, "%SystemDrive%\\users\\Public\\Desktop", REG_EXPAND_SZ,
         "%ALLUSERSPROFILE%\\Microsoft\\Windows\\Start Menu", true, true},
    };
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    int number = 0;
    for (const Run& run : runs) {
        ++number;
        set("Common Desktop", run.desktopType, run.desktopValue);
        set("Common Start Menu", run.startMenuType, run.startMenuValue);
        ASSERT_TRUE(RemoveFile(kDesktopLink) && RemoveFile(kStartMenuLink));
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled) << "run " << number;
        if (run.desktopLink)
            ExpectLinkToProgramIn(kDesktopLink, kDefaultTarget);
        else
            EXPECT_FALSE(FileExists(kDesktopLink)) << "run " << number;
        if (run.startMenuLink)
            ExpectLinkToProgramIn(kStartMenuLink, kDefaultTarget);
        else
            EXPECT_FALSE(FileExists(kStartMenuLink)) << "run " << number;
        // Nothing relative to the installer's current directory (C:\).
        for (const char* stray : {"C:\\Quenlark.lnk", "C:\\Programs", "C:\\%SystemDrive%",
                                  "C:\\%ALLUSERSPROFILE%"}) {
            EXPECT_FALSE(FileExists(stray)) << "run " << number << ": " << stray;
            RemoveFile(stray);
            RemoveTree(stray);
        }
    }
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
    set("Common Desktop", REG_SZ, desktop);
    set("Common Start Menu", REG_SZ, startMenu);
}

// A folder macro whose expansion does not fit (here the current directory,
// too long for the 260 characters of a path) stops Install with the folder
// message: no folder is made from what is left of the path.
TEST_F(SetupEndToEnd, ExpansionThatDoesNotFitStopsInstallLikeAFolderThatCannotBeMade)
{
    std::vector<std::wstring> levels = {L"C:\\Long Way"};
    while (levels.back().size() < 300)
        levels.push_back(levels.back() + L"\\" + std::wstring(40, L'w'));
    for (const std::wstring& level : levels)
        CreateDirectoryW((L"\\\\?\\" + level).c_str(), nullptr);
    const std::string picked = "C:\\Deep [currentdir]";
    ASSERT_TRUE(CreateDirectoryA(picked.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);

    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    ASSERT_TRUE(setup.MoveInto(levels.back()));
    // The folder is chosen with Browse, which reads macros in the choice.
    setup.TypeFolder(picked);
    setup.Click(IDC_BROWSE);
    const HWND browser = setup.WaitForOtherDialog(kWindowWaitMs);
    ASSERT_NE(browser, nullptr) << "no folder browser";
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 200 && IsWindow(browser); ++i)
        Sleep(25);
    const std::string shown = setup.ItemText(IDC_TARGET_FOLDER);
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"),
              "Failed to create the target folder on your desktop computer:" + shown +
                  ". The desktop version of Quenlark will not be installed.");
    EXPECT_TRUE(setup.StillOpen());
    for (const char* made : {"C:\\Deep \\Quenlark.exe", "C:\\Deep\\Quenlark.exe",
                             "C:\\Deep [currentdir]\\Quenlark.exe"})
        EXPECT_FALSE(FileExists(made)) << made;
    EXPECT_FALSE(FileExists("C:\\Deep")) << "a folder was made of the cut path";
    EXPECT_FALSE(FileExists(kDesktopLink));
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));

    RemoveTree(picked);
    RemoveTree("C:\\Deep ");
    RemoveTree("C:\\Deep");
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        RemoveDirectoryW((L"\\\\?\\" + *level).c_str());
}

// Windows takes slashes as separators too: the folders of a path typed with
// them are made, and the program is installed there.
TEST_F(SetupEndToEnd, FolderTypedWithSlashesIsMade)
{
    ASSERT_TRUE(RemoveTree("C:\\Games"));
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    setup.TypeFolder("C:/Games/Quenlark");
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    ExpectInstalledIn("C:\\Games\\Quenlark\\");
    setup.Cancel();
    EXPECT_TRUE(setup.Ended(10000));
    RemoveTree("C:\\Games");
}

}  // namespace
