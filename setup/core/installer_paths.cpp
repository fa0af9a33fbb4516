#include "installer_paths.h"

#include "file_item.h"
#include "path_name.h"

const char kConfigurationName[] = "setup.ini";
const char kDefaultTargetRoot[] = "c:\\Program Files\\";
const char kManagerSection[] = "CEAppManager";
const char kProductSection[] = "zandravex";

std::string InstallerFolder(const std::string& programPath, PathPlatform& platform,
                            FileSizeProbe& probe)
{
    CFileItem program(platform, probe);
    program.SetPath(programPath.c_str(), CFileItem::kDefaultFlags);
    return program.FolderText();
}

std::string HandheldConfigurationPath(const std::string& folder, PathPlatform& platform)
{
    CPathName path(platform);
    path.Text() = folder;
    path.EnsureTrailingSeparator();
    return path.Text() + kConfigurationName;
}
