#include "dialog_text.h"

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

namespace e2e {

std::string WindowText(HWND window)
{
    // WM_GETTEXT, unlike GetWindowText, reads controls of other processes too.
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {

BOOL CALLBACK LongestStatic(HWND child, LPARAM param)
{
    auto* longest = reinterpret_cast<std::string*>(param);
    if (ClassName(child) == "Static") {
        std::string text = WindowText(child);
        if (text.size() > longest->size())
            *longest = text;
    }
    return TRUE;
}

}  // namespace

std::string MessageBoxText(HWND box)
{
    if (HWND message = GetDlgItem(box, 0xFFFF))
        return WindowText(message);
    std::string longest;
    EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&longest));
    return longest;
}

namespace {

// A block of memory in the process that owns `window`, freed on scope exit.
class RemoteBlock {
public:
    RemoteBlock(HWND window, size_t size) : size_(size)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlock()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Valid() const { return address_ != nullptr; }
    char* Address() const { return static_cast<char*>(address_); }
    bool Write(const void* data, size_t size) const
    {
        return size <= size_ && WriteProcessMemory(process_, address_, data, size, nullptr);
    }
    bool Read(void* data, size_t size) const
    {
        return size <= size_ && ReadProcessMemory(process_, address_, data, size, nullptr);
    }

private:
    size_t size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

// The record and a text buffer behind it, in one block.
template <typename Record>
struct WithText {
    Record record;
    char text[512];
};

}  // namespace

std::string ListViewCell(HWND list, int item, int subItem)
{
    RemoteBlock block(list, sizeof(WithText<LVITEMA>));
    if (!block.Valid())
        return "<no access>";
    WithText<LVITEMA> local{};
    local.record.iSubItem = subItem;
    local.record.pszText = block.Address() + offsetof(WithText<LVITEMA>, text);
    local.record.cchTextMax = sizeof local.text;
    if (!block.Write(&local, sizeof local))
        return "<no access>";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(block.Address()),
                             SMTO_ABORTIFHUNG, 5000, &length) ||
        !block.Read(&local, sizeof local))
        return "<no answer>";
    local.text[sizeof local.text - 1] = '\0';
    return local.text;
}

int ListViewRowCount(HWND list)
{
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    return static_cast<int>(count);
}

bool ReadListViewColumn(HWND list, int column, ListViewColumn* out)
{
    RemoteBlock block(list, sizeof(WithText<LVCOLUMNA>));
    if (!block.Valid())
        return false;
    WithText<LVCOLUMNA> local{};
    local.record.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    local.record.pszText = block.Address() + offsetof(WithText<LVCOLUMNA>, text);
    local.record.cchTextMax = sizeof local.text;
    DWORD_PTR found = 0;
    if (!block.Write(&local, sizeof local) ||
        !SendMessageTimeoutA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(block.Address()),
                             SMTO_ABORTIFHUNG, 5000, &found) ||
        !found || !block.Read(&local, sizeof local))
        return false;
    local.text[sizeof local.text - 1] = '\0';
    out->heading = local.text;
    out->width = local.record.cx;
    out->format = local.record.fmt & LVCFMT_JUSTIFYMASK;
    return true;
}

void PressDialogButton(HWND dialog, int buttonId)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

}  // namespace e2e
