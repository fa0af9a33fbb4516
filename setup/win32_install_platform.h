#pragma once
// The install steps' system interface over Win32: files, profile, shortcuts,
// message boxes of the install dialog, and the application manager.

#include <windows.h>

#include "install_steps.h"

class Win32InstallPlatform : public InstallPlatform {
public:
    // Messages are owned by the dialog window and carry the application's name.
    Win32InstallPlatform(HWND dialog, std::string caption);

    std::string ReadProfile(const std::string& section, const std::string& key,
                            const std::string& filePath) override;
    bool CopyFileOver(const std::string& from, const std::string& to) override;
    std::uint32_t LastError() override;
    void MakeShortcuts(const std::string& programPath, const std::string& appName) override;
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    void ShowOwnerlessError(const std::string& text, const std::string& caption) override;
    std::string InstallerFolder() override;
    std::optional<std::string> FindAppManager() override;
    std::uint32_t StartInPlaceOfInstaller(const std::string& program,
                                          const std::string& configurationPath) override;

private:
    HWND m_dialog;
    std::string m_caption;
};

// The full path of the installer's own program file.
std::string InstallerProgramPath();
