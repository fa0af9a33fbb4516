#pragma once
// What Install does, in order, over an interface to the system, so that the
// order of copies, messages and the hand-off can be followed without Windows.

#include <cstdint>
#include <optional>
#include <string>

#include "path_name.h"

enum class MessageIcon { Error, Information };

class InstallPlatform {
public:
    virtual ~InstallPlatform() = default;

    virtual std::string ReadProfile(const std::string& section, const std::string& key,
                                    const std::string& filePath) = 0;
    // Copies one file, overwriting the target.
    virtual bool CopyFileOver(const std::string& from, const std::string& to) = 0;
    virtual std::uint32_t LastError() = 0;
    // The desktop and Start-menu shortcuts to the installed program.
    virtual void MakeShortcuts(const std::string& programPath, const std::string& appName) = 0;
    // A message of the install dialog, with the application's name as caption.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // A message box with no owner window and its own caption.
    virtual void ShowOwnerlessError(const std::string& text, const std::string& caption) = 0;

    // The installer's own folder, ending with a separator.
    virtual std::string InstallerFolder() = 0;
    // The application manager's program file, if it is registered.
    virtual std::optional<std::string> FindAppManager() = 0;
    // Starts the application manager in place of the installer; returns only
    // when the start failed, with the system's error code (0 stands for a
    // start that ended the installer).
    virtual std::uint32_t StartInPlaceOfInstaller(const std::string& program,
                                                  const std::string& configurationPath) = 0;
};

// The dialog's fields that Install works from.
struct InstallSource {
    std::string sourceFolder;
    std::string iniPath;
    std::string appName;
    std::string component;
};

// Copies the program, makes the shortcuts, copies the side files and reports.
// A typed target folder gets its trailing separator first. Yields false, with
// nothing copied, when there is no folder to install into: an empty or root
// folder, a folder macro that did not fit, a program or product name from
// setup.ini that is no plain file name, or a folder that is missing and
// cannot be made.
bool InstallOnDesktop(InstallPlatform& platform, const InstallSource& source,
                      CPathName& targetFolder);

// Hands setup.ini to the application manager, or says why it cannot.
void InstallOnHandheld(InstallPlatform& platform);

// Install: the desktop installation, then the handheld one, unless the
// desktop one found no folder to install into.
void RunInstall(InstallPlatform& platform, const InstallSource& source, CPathName& targetFolder,
                bool installDesktop, bool installPda);
