#pragma once
// A menu resource read straight from a program file (loaded as data, not run),
// since another process's menu cannot be read under Wine.

#include <string>
#include <vector>

namespace e2e {

struct MenuEntry {
    std::string caption;  // with its "&" and any tab text, as stored
    unsigned id = 0;      // 0 for a popup
    bool separator = false;
    bool checked = false;
    bool greyed = false;
    std::vector<MenuEntry> items;  // of a popup
};

// The top-level entries of menu `resourceId` in `program` (Windows or Unix
// path). False, with a reason in *error, when the file or menu is missing.
bool ReadMenuResource(const std::string& program, unsigned resourceId,
                      std::vector<MenuEntry>* menu, std::string* error);

struct AcceleratorEntry {
    unsigned char flags;  // FVIRTKEY, FCONTROL, FALT, FSHIFT (FNOINVERT left out)
    unsigned short key;
    unsigned short command;
};

bool ReadAcceleratorResource(const std::string& program, unsigned resourceId,
                             std::vector<AcceleratorEntry>* table, std::string* error);

// Text of a string resource, or "" when it is missing.
std::string ReadStringResource(const std::string& program, unsigned id);

}  // namespace e2e
