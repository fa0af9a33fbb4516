#include "installer_paths.h"

#include "file_item.h"
#include "path_name.h"
#include "path_rules.h"

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

std::optional<std::string> ComponentFolderName(const std::string& component,
                                               PathPlatform& platform)
{
    CPathName folder(kDefaultTargetRoot, platform);
    const std::string root = folder.Text();
    folder.Append(component);
    const std::string& text = folder.Text();
    if (!folder.Fits() || text.compare(0, root.size(), root) != 0)
        return std::nullopt;
    std::string name = text.substr(root.size());
    if (!name.empty() && name.back() == folder.Separator())
        name.pop_back();
    if (!IsPlainName(name))
        return std::nullopt;
    return name;
}

std::string OfferedTargetFolder(const std::string& component, PathPlatform& platform)
{
    std::string folder = kDefaultTargetRoot;
    if (const auto name = ComponentFolderName(component, platform))
        folder += *name + '\\';
    return folder;
}
