#include "setup_texts.h"

const char kActiveSyncMissingText[] =
    "Can not find ActiveSync. Please reinstall ActiveSync and than run this installation again.";
const char kActiveSyncMissingCaption[] = "Installation";
const char kPdaCaptionFormat[] = "Install %s on my PDA";
const char kDesktopCaptionFormat[] = "Install %s on my desktop computer";

std::string WithName(const std::string& format, const std::string& name)
{
    std::string result;
    std::size_t pos = 0;
    while (true) {
        const std::size_t mark = format.find("%s", pos);
        if (mark == std::string::npos)
            break;
        result.append(format, pos, mark - pos);
        result += name;
        pos = mark + 2;
    }
    result.append(format, pos, std::string::npos);
    return result;
}

std::string WelcomeText(const std::string& appName, bool desktopOffered)
{
    std::string text =
        WithName("Welcome to %s setup. This program wll install %s onto your PDA", appName);
    if (desktopOffered) {
        text += " and desktop computer.";
        text += "\n\nPlease confirm your installation requirements below and then click on "
                "Install to continue. To abort installation, click on cancel.";
    } else {
        text += ".";
        text += "\n\nPlease click on Install to continue or click on Cancel to abort installation";
    }
    return text;
}

std::string FolderFailureMessage(const std::string& folderText, const std::string& appName)
{
    return "Failed to create the target folder on your desktop computer:" + folderText +
           ". The desktop version of " + appName + " will not be installed.";
}

std::string RootFolderMessage(const std::string& folderText, const std::string& appName)
{
    return "The target folder on your desktop computer must be a folder below the root of a "
           "drive:" +
           folderText + ". The desktop version of " + appName + " will not be installed.";
}

std::string BadNameMessage(const std::string& name, const std::string& appName)
{
    return "The file setup.ini holds a name that is not a plain file or folder name:" + name +
           ". The desktop version of " + appName + " will not be installed.";
}

std::string AppManagerNotStartedMessage(const std::string& program, const std::string& reason)
{
    return "ActiveSync's application manager " + program + " could not be started: " + reason;
}

std::string InstalledMessage(const std::string& appName)
{
    return appName + " has been successfully installed on your desktop computer";
}

std::string NotInstalledMessage(const std::string& appName, const std::string& reason)
{
    return "The desktop version of " + appName + " has not been installed: " + reason;
}
