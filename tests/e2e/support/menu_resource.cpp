#include "menu_resource.h"

#include <windows.h>

#include "gui_process.h"

namespace e2e {

namespace {

class DataModule {
public:
    explicit DataModule(const std::string& program)
        : module_(LoadLibraryExA(WindowsPath(program).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    ~DataModule()
    {
        if (module_)
            FreeLibrary(module_);
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

void ReadItems(HMENU menu, std::vector<MenuEntry>* entries)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char caption[256] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = sizeof caption - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        MenuEntry entry;
        entry.caption = caption;
        entry.separator = (info.fType & MFT_SEPARATOR) != 0;
        entry.checked = (info.fState & MFS_CHECKED) != 0;
        entry.greyed = (info.fState & MFS_DISABLED) != 0;
        if (info.hSubMenu)
            ReadItems(info.hSubMenu, &entry.items);
        else
            entry.id = info.wID;
        entries->push_back(entry);
    }
}

}  // namespace

bool ReadMenuResource(const std::string& program, unsigned resourceId,
                      std::vector<MenuEntry>* menu, std::string* error)
{
    DataModule module(program);
    if (!module.get()) {
        *error = "cannot load " + WindowsPath(program) + " as data";
        return false;
    }
    HMENU handle = LoadMenuA(module.get(), MAKEINTRESOURCEA(resourceId));
    if (!handle) {
        *error = "no menu " + std::to_string(resourceId) + " in " + program;
        return false;
    }
    menu->clear();
    ReadItems(handle, menu);
    DestroyMenu(handle);
    return true;
}

bool ReadAcceleratorResource(const std::string& program, unsigned resourceId,
                             std::vector<AcceleratorEntry>* table, std::string* error)
{
    DataModule module(program);
    if (!module.get()) {
        *error = "cannot load " + WindowsPath(program) + " as data";
        return false;
    }
    HACCEL handle = LoadAcceleratorsA(module.get(), MAKEINTRESOURCEA(resourceId));
    if (!handle) {
        *error = "no accelerator table " + std::to_string(resourceId) + " in " + program;
        return false;
    }
    const int count = CopyAcceleratorTableA(handle, nullptr, 0);
    std::vector<ACCEL> entries(static_cast<size_t>(count > 0 ? count : 0));
    CopyAcceleratorTableA(handle, entries.data(), count);
    table->clear();
    for (const ACCEL& entry : entries)
        table->push_back({static_cast<unsigned char>(entry.fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT)),
                          entry.key, entry.cmd});
    return true;
}

std::string ReadStringResource(const std::string& program, unsigned id)
{
    DataModule module(program);
    char text[512] = "";
    if (module.get())
        LoadStringA(module.get(), id, text, sizeof text);
    return text;
}

}  // namespace e2e
