#include "shortcut_maker.h"

#include <objbase.h>

#include <vector>

#include "file_item.h"
#include "path_rules.h"
#include "registry_key.h"
#include "shortcut_writer.h"

namespace {

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Every shortcut operation runs with the component library initialised.
class ComScope {
public:
    ComScope() { CoInitialize(nullptr); }
    ~ComScope() { CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
};

// One shell folder as a full path, an expandable value expanded; empty when
// it cannot be read that way.
std::string ReadShellFolder(CRegistryKey& key, const char* name)
{
    std::string folder;
    if (!key.ReadText(name, folder))
        return std::string();
    if (key.LastType() == REG_EXPAND_SZ) {
        std::vector<char> expanded(MAX_PATH);
        const DWORD length = ExpandEnvironmentStringsA(folder.c_str(), expanded.data(), MAX_PATH);
        if (length == 0 || length > MAX_PATH)
            return std::string();
        folder = expanded.data();
    }
    return IsFullPath(folder) ? folder : std::string();
}

}  // namespace

CShortcutMaker::CShortcutMaker()
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.Open(HKEY_LOCAL_MACHINE, kShellFoldersKey))
        return;
    m_startMenuFolder.Text() = ReadShellFolder(key, "Common Start Menu");
    m_desktopFolder.Text() = ReadShellFolder(key, "Common Desktop");
    key.Close();
    // A folder that could not be read stays empty: its shortcut is not written.
    for (CPathName* folder : {&m_desktopFolder, &m_startMenuFolder}) {
        if (!folder->Text().empty())
            folder->EnsureTrailingSeparator();
    }
}

bool CShortcutMaker::PrepareWriter(CShortcutWriter& writer, const std::string& targetPath,
                                   const std::string& description)
{
    CFileItem program;
    program.SetPath(targetPath.c_str(), CFileItem::kDefaultFlags);

    CShortcutInfo info;
    info.m_targetPath = targetPath;
    info.m_description = description;
    info.m_iconFile = targetPath;
    info.m_iconIndex = 0;
    info.m_showCommand = SW_SHOWNORMAL;
    info.m_workingDirectory = program.FolderText();

    if (!writer.Take(info)) {
        m_lastError = "Failed to create shortcut for " + targetPath;
        return false;
    }
    return true;
}

bool CShortcutMaker::SaveLink(CShortcutWriter& writer, const std::string& linkPath)
{
    if (!writer.Save(linkPath)) {
        m_lastError = "Failed to write shortcut at " + linkPath;
        return false;
    }
    m_created.push_front(linkPath);
    return true;
}

bool CShortcutMaker::CreateDesktopShortcut(const std::string& targetPath,
                                           const std::string& linkName,
                                           const std::string& description)
{
    if (m_desktopFolder.Text().empty()) {
        m_lastError = "No common desktop folder for " + linkName;
        return false;
    }
    ComScope com;
    CShortcutWriter writer;
    if (!PrepareWriter(writer, targetPath, description))
        return false;
    return SaveLink(writer, m_desktopFolder.Text() + linkName + ".lnk");
}

bool CShortcutMaker::CreateProgramsShortcut(const std::string& group,
                                            const std::string& targetPath,
                                            const std::string& linkName,
                                            const std::string& description)
{
    if (m_startMenuFolder.Text().empty()) {
        m_lastError = "No common Start menu folder for " + linkName;
        return false;
    }
    ComScope com;
    CShortcutWriter writer;
    if (!PrepareWriter(writer, targetPath, description))
        return false;
    CPathName folder = m_startMenuFolder;
    folder.EnsureTrailingSeparator();
    folder.Append("Programs");
    folder.EnsureTrailingSeparator();
    folder.Append(group);
    folder.EnsureTrailingSeparator();
    if (!folder.Exists()) {
        if (!folder.CreateChain())
            return false;
        m_created.push_front(folder.Text());
    }
    return SaveLink(writer, folder.Text() + linkName + ".lnk");
}
