#include "install_steps.h"

#include "error_text.h"
#include "installer_paths.h"
#include "path_rules.h"
#include "setup_texts.h"

bool InstallOnDesktop(InstallPlatform& platform, const InstallSource& source,
                      CPathName& targetFolder)
{
    // Judged as typed, before the separator that would turn "" into "\".
    const std::string normal = NormalFolderBelowRoot(targetFolder.Text());
    if (normal.empty()) {
        platform.ShowMessage(RootFolderMessage(targetFolder.Text(), source.appName),
                             MessageIcon::Error);
        return false;
    }
    targetFolder.EnsureTrailingSeparator();
    if (!targetFolder.Fits()) {
        platform.ShowMessage(FolderFailureMessage(targetFolder.Text(), source.appName),
                             MessageIcon::Error);
        return false;
    }
    // The folders made, the copies and the shortcuts' target, working folder
    // and icon file all take the one normal path.
    targetFolder.Text() = normal;

    const std::string desktop = platform.ReadProfile(kProductSection, "desktop", source.iniPath);
    const std::string filename = platform.ReadProfile(kProductSection, "filename", source.iniPath);
    // Names of what is written: the program and the shortcuts. An empty one
    // makes a copy fail or a name empty, but writes nowhere else. The
    // component is not judged here: the user's folder stands as chosen.
    for (const std::string* name : {&filename, &source.appName}) {
        if (!name->empty() && !IsPlainName(*name)) {
            platform.ShowMessage(BadNameMessage(*name, source.appName), MessageIcon::Error);
            return false;
        }
    }

    if (!targetFolder.Exists() && !targetFolder.CreateChain()) {
        platform.ShowMessage(FolderFailureMessage(targetFolder.Text(), source.appName),
                             MessageIcon::Error);
        return false;
    }

    const std::string& target = targetFolder.Text();
    const std::string programPath = target + filename;

    if (!platform.CopyFileOver(source.sourceFolder + desktop, programPath)) {
        const std::uint32_t error = platform.LastError();
        platform.ShowMessage(NotInstalledMessage(source.appName, CErrorText().TextFor(error)),
                             MessageIcon::Information);
        return true;
    }

    platform.MakeShortcuts(programPath, source.appName);
    // The page keeps the component's literal name; a name that would put it
    // anywhere but beside the program is left out, like a missing page.
    const std::string page = source.component + ".html";
    for (const std::string& side : {std::string("readme.txt"), std::string("featured.gif"), page}) {
        if (IsPlainName(side))
            platform.CopyFileOver(source.sourceFolder + side, target + side);
    }
    platform.ShowMessage(InstalledMessage(source.appName), MessageIcon::Information);
    return true;
}

void InstallOnHandheld(InstallPlatform& platform)
{
    const std::optional<std::string> appManager = platform.FindAppManager();
    if (!appManager) {
        platform.ShowOwnerlessError(kActiveSyncMissingText, kActiveSyncMissingCaption);
        return;
    }
    const std::uint32_t error = platform.StartInPlaceOfInstaller(
        *appManager, HandheldConfigurationPath(platform.InstallerFolder()));
    if (error != 0) {
        platform.ShowOwnerlessError(
            AppManagerNotStartedMessage(*appManager, CErrorText().TextFor(error)),
            kActiveSyncMissingCaption);
    }
}

void RunInstall(InstallPlatform& platform, const InstallSource& source, CPathName& targetFolder,
                bool installDesktop, bool installPda)
{
    if (installDesktop && !InstallOnDesktop(platform, source, targetFolder))
        return;
    if (installPda)
        InstallOnHandheld(platform);
}
