#pragma once
// CShortcutMaker: writes the product's shortcuts on the common desktop and in
// a group of the common Start menu, and keeps a list of what it made.

#include <deque>
#include <string>

#include "path_name.h"

class CShortcutWriter;

class CShortcutMaker {
public:
    // Reads the common desktop and Start-menu folders from the registry. A
    // folder that cannot be read as a full path stays empty, and its
    // shortcut is not written.
    CShortcutMaker();

    bool CreateDesktopShortcut(const std::string& targetPath, const std::string& linkName,
                               const std::string& description);
    bool CreateProgramsShortcut(const std::string& group, const std::string& targetPath,
                                const std::string& linkName, const std::string& description);

    // Folders made and link files written, most recent first.
    const std::deque<std::string>& Created() const { return m_created; }
    const std::string& LastError() const { return m_lastError; }
    const CPathName& StartMenuFolder() const { return m_startMenuFolder; }
    const CPathName& DesktopFolder() const { return m_desktopFolder; }

private:
    bool PrepareWriter(CShortcutWriter& writer, const std::string& targetPath,
                       const std::string& description);
    bool SaveLink(CShortcutWriter& writer, const std::string& linkPath);

    std::deque<std::string> m_created;
    std::string m_lastError;
    CPathName m_startMenuFolder;
    CPathName m_desktopFolder;
};
