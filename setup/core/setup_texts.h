#pragma once
// The installer's own texts, composed from the product name of setup.ini.

#include <string>

extern const char kActiveSyncMissingText[];
extern const char kActiveSyncMissingCaption[];
extern const char kPdaCaptionFormat[];
extern const char kDesktopCaptionFormat[];

// Replaces every "%s" of a format by the name (the name itself is not a format).
std::string WithName(const std::string& format, const std::string& name);

// The welcome paragraph of the install dialog; its end depends on whether the
// desktop installation is offered.
std::string WelcomeText(const std::string& appName, bool desktopOffered);

std::string FolderFailureMessage(const std::string& folderText, const std::string& appName);
// An empty or blank target folder, or the root of a drive.
std::string RootFolderMessage(const std::string& folderText, const std::string& appName);
// A name from setup.ini for a file, folder or shortcut that is no plain name.
std::string BadNameMessage(const std::string& name, const std::string& appName);
// The application manager was found but could not be started.
std::string AppManagerNotStartedMessage(const std::string& program, const std::string& reason);
std::string InstalledMessage(const std::string& appName);
std::string NotInstalledMessage(const std::string& appName, const std::string& reason);
