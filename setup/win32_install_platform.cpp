#include "win32_install_platform.h"

#include <vector>

#include "app_manager.h"
#include "installer_paths.h"
#include "profile_reader.h"
#include "shortcut_maker.h"

namespace {

const char kProgramGroup[] = "Zandravex";

}  // namespace

std::string InstallerProgramPath()
{
    std::vector<char> buffer(MAX_PATH);
    while (buffer.size() <= 32768) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
    return std::string();
}

Win32InstallPlatform::Win32InstallPlatform(HWND dialog, std::string caption)
    : m_dialog(dialog), m_caption(std::move(caption))
{
}

std::string Win32InstallPlatform::ReadProfile(const std::string& section, const std::string& key,
                                              const std::string& filePath)
{
    return SystemProfileReader().ReadString(section, key, filePath);
}

bool Win32InstallPlatform::CopyFileOver(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

std::uint32_t Win32InstallPlatform::LastError()
{
    return GetLastError();
}

void Win32InstallPlatform::MakeShortcuts(const std::string& programPath,
                                         const std::string& appName)
{
    CShortcutMaker maker;
    maker.CreateDesktopShortcut(programPath, appName, appName);
    maker.CreateProgramsShortcut(kProgramGroup, programPath, appName, appName);
}

void Win32InstallPlatform::ShowMessage(const std::string& text, MessageIcon icon)
{
    const UINT type = MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION);
    MessageBoxA(m_dialog, text.c_str(), m_caption.c_str(), type);
}

void Win32InstallPlatform::ShowOwnerlessError(const std::string& text, const std::string& caption)
{
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

std::string Win32InstallPlatform::InstallerFolder()
{
    return ::InstallerFolder(InstallerProgramPath());
}

std::optional<std::string> Win32InstallPlatform::FindAppManager()
{
    return ::FindAppManager();
}

std::uint32_t Win32InstallPlatform::StartInPlaceOfInstaller(const std::string& program,
                                                            const std::string& configurationPath)
{
    return ::StartInPlaceOfInstaller(program, configurationPath);
}
