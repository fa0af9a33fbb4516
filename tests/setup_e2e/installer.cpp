#include "installer.h"

#include <objidl.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dialog_text.h"

namespace setup_e2e {
namespace {

const char kFullIni[] =
    "[CEAppManager]\r\nVersion=1.0\r\nComponent=Quenlark\r\n"
    "[Quenlark]\r\nDescription=Quenlark tile game\r\nCabFiles=Quenlark.ARM.CAB\r\n"
    "[zandravex]\r\nappname=Quenlark\r\ndesktop=QuenlarkPC.exe\r\nfilename=Quenlark.exe\r\n";

std::string Program(const char* variable)
{
    const char* path = std::getenv(variable);
    return e2e::WindowsPath(path != nullptr ? path : "");
}

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

// The settings of a shell link file, read back through the shell.
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

}  // namespace

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

bool Remove(const std::string& path)
{
    return e2e::WaitUntil(
        [&] {
            std::error_code error;
            std::filesystem::remove_all(path, error);
            return !FileExists(path);
        },
        5000, 50);
}

std::string Folded(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    while (!text.empty() && text.back() == '\\')
        text.pop_back();
    return text;
}

// --- the installer's process ----------------------------------------------

bool Installer::Start(const std::string& commandName, const std::string& arguments)
{
    SetCurrentDirectoryA("C:\\");
    m_process.SetCommandName(commandName);
    if (!m_process.Start(m_folder + "setup.exe", arguments)) {
        m_error = m_process.error();
        return false;
    }
    m_dialog = WaitForWindow("Setup", kWindowWaitMs + e2e::StartAllowanceMs());
    if (m_dialog == nullptr)
        m_error = "no dialog \"Setup\" appeared";
    return m_dialog != nullptr;
}

HWND Installer::WaitForWindow(const char* title, DWORD timeoutMs) const
{
    HWND found = nullptr;
    const auto search = [&] {
        for (HWND window = nullptr;
             (window = FindWindowExA(nullptr, window, "#32770", title)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == m_process.Id() && window != m_dialog && IsWindowVisible(window)) {
                found = window;
                return true;
            }
        }
        return !m_process.IsRunning();
    };
    e2e::WaitUntil(search, timeoutMs, 50);
    if (found == nullptr && !m_process.IsRunning())
        m_process.WaitForExit(0);  // reports a fault
    return found;
}

std::string Installer::ItemText(int id) const
{
    return e2e::WindowText(Item(id));
}

bool Installer::Checked(int id) const
{
    return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Installer::SetChecked(int id, bool checked) const
{
    if (Checked(id) != checked)
        Click(id);
    return e2e::WaitUntil([&] { return Checked(id) == checked; }, 5000, 25);
}

void Installer::TypeFolder(const std::string& folder) const
{
    SendMessageA(Item(IDC_TARGET_FOLDER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
}

std::string Installer::AnswerMessageBox(const char* caption) const
{
    const HWND box = WaitForWindow(caption);
    if (box == nullptr)
        return "<no message box \"" + std::string(caption) + "\">";
    const std::string text = e2e::MessageBoxText(box);
    PressAndWait(box, IDOK);
    return text;
}

void Installer::PressAndWait(HWND window, int buttonId)
{
    PostMessageA(window, WM_COMMAND, buttonId, 0);
    e2e::WaitUntil([&] { return !IsWindow(window); }, 5000, 25);
}

bool Installer::StillOpen() const
{
    DWORD_PTR result = 0;
    return m_process.IsRunning() && IsWindow(m_dialog) &&
           SendMessageTimeoutA(m_dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

bool Installer::MoveInto(const std::wstring& folder) const
{
    const HANDLE process = m_process.Handle();
    const SIZE_T bytes = (folder.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr || !WriteProcessMemory(process, remote, folder.c_str(), bytes, nullptr))
        return false;
    const auto setCurrentDirectory = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetCurrentDirectoryW")));
    const HANDLE thread =
        CreateRemoteThread(process, nullptr, 0, setCurrentDirectory, remote, 0, nullptr);
    if (thread == nullptr)
        return false;
    DWORD result = 0;
    const bool done = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 &&
                      GetExitCodeThread(thread, &result) && result != 0;
    CloseHandle(thread);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return done;
}

// --- the installation folder and the registry ------------------------------

void InstallerTest::SetUp()
{
    ASSERT_TRUE(std::getenv("SETUP_EXE") != nullptr && std::getenv("APP_MANAGER_STANDIN") != nullptr)
        << "SETUP_EXE and APP_MANAGER_STANDIN must name the programs";
    ASSERT_TRUE(CreateDirectoryA("C:\\Active Sync", nullptr));
    ASSERT_TRUE(CopyFileA(Program("APP_MANAGER_STANDIN").c_str(), kManagerProgram, FALSE));
    ASSERT_NO_FATAL_FAILURE(LayOutInstallationFolder(kSourceFolder));
    RegisterAppManager(true);
}

void InstallerTest::LayOutInstallationFolder(const std::string& folder)
{
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    ASSERT_TRUE(CopyFileA(Program("SETUP_EXE").c_str(), (folder + "setup.exe").c_str(), FALSE));
    // Any program serves as the desktop build here: only its copy is checked.
    ASSERT_TRUE(CopyFileA(Program("APP_MANAGER_STANDIN").c_str(),
                          (folder + "QuenlarkPC.exe").c_str(), FALSE));
    WriteFile(folder + "setup.ini", kFullIni);
    WriteFile(folder + "readme.txt", "How to play Quenlark\r\n");
    WriteFile(folder + "featured.gif", "GIF89a picture");
    WriteFile(folder + "Quenlark.html", "<html>Quenlark</html>");
}

void InstallerTest::WriteConfiguration(const std::string& text)
{
    WriteFile(std::string(kSourceFolder) + "setup.ini", text);
}

void InstallerTest::RegisterAppManager(bool registered)
{
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, KEY_WOW64_64KEY, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, KEY_WOW64_32KEY, 0);
    if (registered)
        SetAppManagerValue(REG_SZ, kManagerProgram, sizeof kManagerProgram);
}

void InstallerTest::SetAppManagerValue(DWORD type, const void* data, DWORD size, REGSAM view)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, nullptr, 0, KEY_WRITE | view,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void InstallerTest::ExpectHandedOver(const std::string& folder)
{
    e2e::WaitUntil([] { return FileExists(kManagerOutput); }, kWindowWaitMs, 50);
    Sleep(100);  // let the stand-in finish writing
    const std::string line = ReadFile(kManagerOutput);
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
    ASSERT_EQ(arguments.size(), 2u) << line;
    EXPECT_EQ(Folded(arguments[0]), Folded(kManagerProgram));
    EXPECT_EQ(arguments[1], folder + "setup.ini");
}

void InstallerTest::ExpectInstalledIn(const std::string& target)
{
    const std::string source = kSourceFolder;
    // Compared whole, but not printed: the program is binary.
    EXPECT_TRUE(ReadFile(target + "Quenlark.exe") == ReadFile(source + "QuenlarkPC.exe"))
        << target << "Quenlark.exe is not a copy of the desktop build";
    EXPECT_EQ(ReadFile(target + "readme.txt"), ReadFile(source + "readme.txt"));
    for (const char* linkPath : {kDesktopLink, kStartMenuLink})
        ExpectLinkToProgramIn(linkPath, target);
}

void InstallerTest::ExpectLinkToProgramIn(const std::string& linkPath, const std::string& target)
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

}  // namespace setup_e2e
