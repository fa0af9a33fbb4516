#pragma once
// Where the installer finds its configuration and what folder it offers.

#include <optional>
#include <string>

#include "file_size_probe.h"
#include "path_platform.h"

extern const char kConfigurationName[];   // "setup.ini"
extern const char kDefaultTargetRoot[];   // "c:\Program Files\"
// Sections of setup.ini: the application manager's, and ours.
extern const char kManagerSection[];      // "CEAppManager"
extern const char kProductSection[];      // "zandravex"

// The folder of the installer's own program file, ending with a separator
// (empty when the path holds no backslash). A plain path, never parsed for
// folder macros.
std::string InstallerFolder(const std::string& programPath,
                            PathPlatform& platform = SystemPathPlatform(),
                            FileSizeProbe& probe = SystemFileSizeProbe());

// The configuration path handed to the application manager: the folder, given
// a separator if it lacks one, followed by "setup.ini".
std::string HandheldConfigurationPath(const std::string& folder,
                                      PathPlatform& platform = SystemPathPlatform());

// The folder the component names below kDefaultTargetRoot: the component is
// appended and the whole text parsed again, so its folder macros expand
// ("Q[datedir]" gives "Q07122026"). None when what it expands to is no plain
// folder name, which would lead out of kDefaultTargetRoot or nowhere.
std::optional<std::string> ComponentFolderName(const std::string& component,
                                               PathPlatform& platform = SystemPathPlatform());

// The folder the install dialog offers: kDefaultTargetRoot followed by the
// component's folder name and a separator, or kDefaultTargetRoot alone when
// the component names no plain folder.
std::string OfferedTargetFolder(const std::string& component,
                                PathPlatform& platform = SystemPathPlatform());
