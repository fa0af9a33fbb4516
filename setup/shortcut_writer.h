#pragma once
// CShortcutWriter: writes the settings of a CShortcutInfo as a .lnk file
// through the shell link object.

#include <objidl.h>
#include <shlobj.h>

#include "shortcut_info.h"

class CShortcutWriter : public CShortcutInfo {
public:
    CShortcutWriter() = default;
    ~CShortcutWriter() override;

    // Creates the shell link object once; true when it and its persist-file
    // interface exist.
    bool Create();
    // Takes over the settings of a shortcut.
    bool Take(const CShortcutInfo& info);
    // Writes the link file.
    bool Save(const std::string& linkPath);

private:
    IShellLinkA* m_link = nullptr;
    IPersistFile* m_persist = nullptr;
    bool m_tried = false;
};
