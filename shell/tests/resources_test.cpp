// The resources compiled into a build of the game, read from the program
// file: shell_resources_test PATH [handheld]. The two builds share ids and
// texts and differ where the facts below say.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "application_manifest.h"

namespace {

std::string g_exePath;

struct Key {
    BYTE modifiers;
    WORD key;
    WORD command;
};

// What differs between the two builds' resources.
struct BuildFacts {
    const char* frameTitle;          // string 128
    bool hasAppTitleString;          // string 57344
    const char* londonCaption;
    const char* rattlesnakeCaption;
    std::vector<Key> accelerators;
    bool acceleratorsInStoredOrder;  // the order above is the table's
    bool acceleratorsNoInvert;
    const char* dialogFont;
    SIZE scoresSize;                 // dialog units
    RECT scoresList;                 // left, top, width, height
    bool aboutExtended;              // an extended template
    DWORD aboutExStyle;
    std::vector<std::pair<std::string, std::string>> versionStrings;
    WORD versionCodePage;
    const char* executionLevel;      // of the application manifest; none when null
};

const std::vector<Key> EditKeys = {
    {FCONTROL, 'Z', 57643},    {FALT, VK_BACK, 57643},     {FCONTROL, 'C', 57634}, {FCONTROL, VK_INSERT, 57634},
    {FCONTROL, 'V', 57637},    {FSHIFT, VK_INSERT, 57637}, {FCONTROL, 'X', 57635}, {FSHIFT, VK_DELETE, 57635},
    {0, VK_F6, 57680},         {FSHIFT, VK_F6, 57681},
};

// The handheld's table, in the order in which it is stored.
const std::vector<Key> HandheldKeys = {
    {FCONTROL, 'N', 57600},     {FCONTROL, 'O', 57601},       {FCONTROL, 'S', 57603},      {FCONTROL, 'Z', 57643},
    {FCONTROL, 'X', 57635},     {FCONTROL, 'C', 57634},       {FCONTROL, 'V', 57637},      {FALT, VK_BACK, 57643},
    {FSHIFT, VK_DELETE, 57635}, {FCONTROL, VK_INSERT, 57634}, {FSHIFT, VK_INSERT, 57637}, {0, VK_F6, 57680},
    {FSHIFT, VK_F6, 57681},
};

const BuildFacts Desktop = {
    "Quenlark", true, "&London", "&Rattlesnake", EditKeys, false, true, "MS Sans Serif", {165, 86}, {7, 7, 151, 72},
    true, 0,
    {{"FileVersion", "1, 2, 0, 0"}, {"ProductVersion", "1, 2, 0, 0"}, {"FileDescription", "Quenlark Windows version."},
     {"InternalName", "Quenlark"}, {"OriginalFilename", "Quenlark.EXE"}, {"ProductName", "Quenlark Application"},
     {"CompanyName", "Zandravex Software"}},
    1252, "asInvoker"};

const BuildFacts Handheld = {
    "Quenlark\n\nQuenlark\n\n\nQuenlark.Document\nQuenlark Document", false, "London", "Rattlesnake",
    HandheldKeys, true, false, "System", {138, 77}, {7, 7, 124, 63}, false, 0x80000000,
    {{"FileDescription", "Quenlark"}, {"InternalName", "Quenlark"}, {"OriginalFilename", "Quenlark.EXE"},
     {"ProductName", "Quenlark Application"}, {"CompanyName", "Zandravex"}},
    1200, nullptr};

const BuildFacts* g_facts = &Desktop;

class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = ::LoadLibraryExA(g_exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << "cannot load " << g_exePath;
    }
    void TearDown() override
    {
        if (module != nullptr)
            ::FreeLibrary(module);
    }
    std::string String(UINT id)
    {
        char buffer[512] = {0};
        const int length = ::LoadStringA(module, id, buffer, sizeof buffer);
        return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    }
    HMODULE module = nullptr;
};

std::string MenuText(HMENU menu, UINT position)
{
    char text[128] = {0};
    ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(Resources, StringsNameTheGameAndCarryStandardPrompts)
{
    EXPECT_EQ(String(128), g_facts->frameTitle);
    EXPECT_EQ(String(57344), g_facts->hasAppTitleString ? "Quenlark" : "");
    EXPECT_EQ(String(57345), "Ready");
    EXPECT_EQ(String(57643), "Undo the last action\nUndo");
}

TEST_F(Resources, MenuHoldsExactlyTheGameCommands)
{
    HMENU menu = ::LoadMenuA(module, MAKEINTRESOURCEA(128));
    ASSERT_NE(menu, nullptr);
    using Items = std::vector<std::pair<std::string, UINT>>;
    const std::vector<std::pair<std::string, Items>> expected = {
        {"&File", {{"New Game", 32771}, {"Scores", 32772}, {"Exit", 57665}}},
        {"&Edit", {{"Undo", 57643}, {"Settings ...", 32773}, {"About ...", 57664}}},
        {"T&heme", {{"Default", 32774}, {g_facts->londonCaption, 32775}, {g_facts->rattlesnakeCaption, 32776}}},
    };
    ASSERT_EQ(::GetMenuItemCount(menu), 3);
    for (UINT m = 0; m < expected.size(); ++m) {
        EXPECT_EQ(MenuText(menu, m), expected[m].first);
        HMENU popup = ::GetSubMenu(menu, static_cast<int>(m));
        ASSERT_NE(popup, nullptr);
        const Items& items = expected[m].second;
        ASSERT_EQ(::GetMenuItemCount(popup), static_cast<int>(items.size())) << expected[m].first;
        for (UINT i = 0; i < items.size(); ++i) {
            EXPECT_EQ(MenuText(popup, i), items[i].first);
            EXPECT_EQ(::GetMenuItemID(popup, static_cast<int>(i)), items[i].second) << items[i].first;
            const UINT state = ::GetMenuState(popup, i, MF_BYPOSITION);
            EXPECT_EQ(state & (MF_SEPARATOR | MF_CHECKED | MF_GRAYED), 0u) << items[i].first;
        }
    }
    ::DestroyMenu(menu);
}

TEST_F(Resources, AcceleratorsBindTheEditKeys)
{
    HACCEL table = ::LoadAcceleratorsA(module, MAKEINTRESOURCEA(128));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32];
    const int count = ::CopyAcceleratorTableA(table, entries, 32);
    const std::vector<Key>& expected = g_facts->accelerators;
    ASSERT_EQ(count, static_cast<int>(expected.size()));
    for (const Key& want : expected) {
        bool found = false;
        for (int i = 0; i < count; ++i) {
            const BYTE modifiers = entries[i].fVirt & (FCONTROL | FALT | FSHIFT);
            if (entries[i].key == want.key && modifiers == want.modifiers) {
                found = true;
                EXPECT_EQ(entries[i].cmd, want.command) << "key " << want.key;
                EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FNOINVERT),
                          FVIRTKEY | (g_facts->acceleratorsNoInvert ? FNOINVERT : 0))
                    << "key " << want.key;
            }
        }
        EXPECT_TRUE(found) << "no entry for key " << want.key << " with modifiers " << int(want.modifiers);
    }
    ::DestroyAcceleratorTable(table);
    if (!g_facts->acceleratorsInStoredOrder)
        return;
    // The entries as stored: flags, key, command and padding, 16 bits each.
    HRSRC stored = ::FindResourceA(module, MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(9) /* RT_ACCELERATOR */);
    ASSERT_NE(stored, nullptr);
    const auto* words = static_cast<const WORD*>(::LockResource(::LoadResource(module, stored)));
    ASSERT_EQ(::SizeofResource(module, stored), expected.size() * 8);
    for (size_t i = 0; i < expected.size(); ++i) {
        const WORD* entry = words + 4 * i;
        EXPECT_EQ(entry[0] & (FCONTROL | FALT | FSHIFT), expected[i].modifiers) << "entry " << i;
        EXPECT_EQ(entry[1], expected[i].key) << "entry " << i;
        EXPECT_EQ(entry[2], expected[i].command) << "entry " << i;
    }
}

TEST_F(Resources, ManifestRunsTheGameAsItsCaller)
{
    const e2e::ApplicationManifest manifest = e2e::ReadApplicationManifest(module);
    if (g_facts->executionLevel == nullptr) {  // the handheld's platform reads none
        EXPECT_EQ(manifest.resources, 0);
        return;
    }
    EXPECT_EQ(e2e::ManifestMismatches(manifest, "1.2.0.0", g_facts->executionLevel), std::vector<std::string>{});
}

TEST_F(Resources, IconHasA32And16PixelImageOf16Colours)
{
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colourCount, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct GroupHeader {
        WORD reserved, type, count;
        GroupEntry entries[1];
    };
#pragma pack(pop)
    HRSRC found = ::FindResourceExA(module, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, MAKEINTRESOURCEA(128),
                                    MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(found, nullptr);
    const auto* group = static_cast<const GroupHeader*>(::LockResource(::LoadResource(module, found)));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 2);
    std::vector<int> sizes;
    for (int i = 0; i < group->count; ++i) {
        const GroupEntry& entry = group->entries[i];
        sizes.push_back(entry.width);
        EXPECT_EQ(entry.height, entry.width);
        EXPECT_EQ(entry.colourCount, 16);
        EXPECT_EQ(entry.bitCount, 4);
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

TEST_F(Resources, VersionBlockNamesTheProductAndMaker)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(g_exePath.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(::GetFileVersionInfoA(g_exePath.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                 &length));
    EXPECT_EQ(translation[0], 0x409);
    EXPECT_EQ(translation[1], g_facts->versionCodePage);
    char block[64];
    ::wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    const auto& expected = g_facts->versionStrings;
    for (const auto& field : expected) {
        char* value = nullptr;
        const std::string query = block + field.first;
        ASSERT_TRUE(::VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << field.first;
        EXPECT_EQ(std::string(value), field.second) << field.first;
    }
}

// One control of a dialog template, in tab order: id (-1 none), window
// class, text, position in dialog units and the style bits that matter.
struct Control {
    int id;
    std::string windowClass;
    std::string text;
    RECT units;  // left, top, width, height
    DWORD style;
};

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// A dialog template as stored: plain or extended, its extended style, size
// in dialog units, font and the rectangle of each control.
struct DialogTemplate {
    bool extended = false;
    DWORD exStyle = 0;
    SIZE size{0, 0};
    WORD pointSize = 0;
    std::string font;
    std::vector<RECT> items;  // each control's left, top, width, height
};

// Skips a name-or-ordinal field of a template.
const WORD* SkipNameOrOrdinal(const WORD* at)
{
    if (*at == 0x0000)
        return at + 1;
    if (*at == 0xFFFF)
        return at + 2;
    while (*at != 0)
        ++at;
    return at + 1;
}

DialogTemplate ReadDialogTemplate(HMODULE module, int id)
{
    DialogTemplate header;
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    const auto* words = found ? static_cast<const WORD*>(::LockResource(::LoadResource(module, found))) : nullptr;
    if (words == nullptr)
        return header;
    DWORD style = 0;
    WORD count = 0;
    const WORD* at = nullptr;
    header.extended = words[0] == 1 && words[1] == 0xFFFF;
    if (header.extended) {  // version, signature, help id, extended style, style, items, x, y, cx, cy
        header.exStyle = words[4] | (DWORD{words[5]} << 16);
        style = words[6] | (DWORD{words[7]} << 16);
        count = words[8];
        header.size = {static_cast<short>(words[11]), static_cast<short>(words[12])};
        at = words + 13;
    } else {  // style, extended style, items, x, y, cx, cy
        style = words[0] | (DWORD{words[1]} << 16);
        header.exStyle = words[2] | (DWORD{words[3]} << 16);
        count = words[4];
        header.size = {static_cast<short>(words[7]), static_cast<short>(words[8])};
        at = words + 9;
    }
    at = SkipNameOrOrdinal(at);  // menu
    at = SkipNameOrOrdinal(at);  // window class
    at = SkipNameOrOrdinal(at);  // caption
    if (style & DS_SETFONT) {
        header.pointSize = *at++;
        if (header.extended)
            at += 2;  // weight, italic and character set
        for (; *at != 0; ++at)
            header.font.push_back(static_cast<char>(*at));
        ++at;
    }
    for (WORD i = 0; i < count; ++i) {
        at += (at - words) % 2;  // items start on 32-bit boundaries
        // Extended: help id, extended style, style, then the rectangle and a 32-bit id.
        // Plain: style, extended style, then the rectangle and a 16-bit id.
        const WORD* rect = at + (header.extended ? 6 : 4);
        header.items.push_back({static_cast<short>(rect[0]), static_cast<short>(rect[1]),
                                static_cast<short>(rect[2]), static_cast<short>(rect[3])});
        at = rect + (header.extended ? 6 : 5);
        at = SkipNameOrOrdinal(at);  // window class
        at = SkipNameOrOrdinal(at);  // text
        at += 1 + (*at + 1) / 2;     // creation data, counted in bytes
    }
    return header;
}

// Creates dialog `id` from the program file and compares its caption and
// controls, in order, with `expected`; its template has the build's font.
void CheckDialog(HMODULE module, int id, const std::string& caption, const std::vector<Control>& expected,
                 DWORD styleMask)
{
    SCOPED_TRACE("dialog " + std::to_string(id));
    const DialogTemplate header = ReadDialogTemplate(module, id);
    EXPECT_EQ(header.font, g_facts->dialogFont);
    EXPECT_EQ(header.pointSize, 8);
    ASSERT_EQ(header.items.size(), expected.size());
    HWND dialog = ::CreateDialogParamA(module, MAKEINTRESOURCEA(id), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    char text[256] = {0};
    ::GetWindowTextA(dialog, text, sizeof text);
    EXPECT_EQ(text, caption);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE)) &
                  (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    size_t index = 0;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT), ++index) {
        ASSERT_LT(index, expected.size()) << "more controls than expected";
        const Control& want = expected[index];
        SCOPED_TRACE("control " + std::to_string(index) + " " + want.text);
        // As the template stores it: the dialog manager sizes an icon control
        // after its icon, so its window does not show the template's size.
        const RECT& stored = header.items[index];
        EXPECT_EQ(stored.left, want.units.left);
        EXPECT_EQ(stored.top, want.units.top);
        EXPECT_EQ(stored.right, want.units.right);
        EXPECT_EQ(stored.bottom, want.units.bottom);
        // Plain templates keep 16-bit ids: "no id" (-1) reads back as 0xFFFF there.
        EXPECT_EQ(::GetDlgCtrlID(child) & 0xFFFF, want.id & 0xFFFF);
        char name[64] = {0};
        ::GetClassNameA(child, name, sizeof name);
        EXPECT_EQ(std::string(name), want.windowClass);
        if (want.windowClass != "Static" || !(want.style & SS_ICON)) {
            ::GetWindowTextA(child, text, sizeof text);
            EXPECT_EQ(std::string(text), want.text);
        }
        // Position and size convert one by one, as the dialog manager does.
        RECT pixels = want.units;
        ::MapDialogRect(dialog, &pixels);
        pixels.right += pixels.left;
        pixels.bottom += pixels.top;
        RECT actual;
        ::GetWindowRect(child, &actual);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, pixels.left);
        EXPECT_EQ(actual.top, pixels.top);
        if (!(want.style & SS_ICON)) {  // an icon control takes the icon's size
            EXPECT_EQ(actual.right, pixels.right);
            EXPECT_EQ(actual.bottom, pixels.bottom);
        }
        DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_STYLE));
        // A list view shows its border as a client edge.
        if (::GetWindowLongPtrA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
            style |= WS_BORDER;
        EXPECT_EQ(style & styleMask, want.style & styleMask);
    }
    EXPECT_EQ(index, expected.size());
    ::DestroyWindow(dialog);
}

TEST_F(Resources, SettingsDialogHasItsRadioGroupsInTabOrder)
{
    const DWORD radio = BS_AUTORADIOBUTTON;
    const DWORD first = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
    CheckDialog(module, 130, "Settings",
                {
                    {1000, "Button", "Square", {48, 7, 39, 10}, first},
                    {1001, "Button", "Circle", {48, 19, 33, 10}, radio},
                    {-1, "Static", "Click mode:", {7, 36, 37, 8}, WS_GROUP},
                    {1002, "Button", "Two clicks to clear", {48, 35, 73, 10}, first},
                    {1003, "Button", "One click to clear", {48, 47, 70, 10}, radio},
                    {-1, "Static", "Game size:", {7, 62, 36, 8}, WS_GROUP},
                    {1005, "Button", "Compact", {48, 63, 44, 10}, first},
                    {1006, "Button", "Medium", {48, 74, 40, 10}, radio},
                    {1007, "Button", "Maximum", {48, 86, 45, 10}, radio},
                    {-1, "Static", "Tile style:", {7, 9, 32, 8}, WS_GROUP},
                    {IDOK, "Button", "OK", {88, 7, 37, 14}, BS_PUSHBUTTON | WS_TABSTOP},
                },
                0x0F | WS_GROUP | WS_TABSTOP);
}

TEST_F(Resources, ScoresDialogHoldsOneReportList)
{
    CheckDialog(module, 131, "High Score Table",
                {{1013, "SysListView32", "", g_facts->scoresList,
                  LVS_REPORT | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP}},
                LVS_TYPEMASK | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP);
    const DialogTemplate header = ReadDialogTemplate(module, 131);
    EXPECT_EQ(header.size.cx, g_facts->scoresSize.cx);
    EXPECT_EQ(header.size.cy, g_facts->scoresSize.cy);
}

TEST_F(Resources, AboutBoxShowsIconNameVersionAndMaker)
{
    CheckDialog(module, 100, "About Quenlark",
                {
                    {-1, "Static", "", {7, 7, 20, 20}, SS_ICON},
                    {-1, "Static", "Quenlark Version 1.2", {33, 7, 78, 8}, WS_GROUP},
                    {-1, "Static", "Free to share.", {33, 18, 65, 8}, WS_GROUP},
                    {-1, "Static", "Zandravex Software", {33, 30, 64, 8}, WS_GROUP},
                },
                SS_TYPEMASK | WS_GROUP);
    const DialogTemplate header = ReadDialogTemplate(module, 100);
    EXPECT_EQ(header.extended, g_facts->aboutExtended);
    EXPECT_EQ(header.exStyle, g_facts->aboutExStyle);
    EXPECT_EQ(header.size.cx, 135);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2 || (argc > 2 && std::string(argv[2]) != "handheld")) {
        fprintf(stderr, "usage: shell_resources_test PATH-OF-THE-GAME [handheld]\n");
        return 2;
    }
    g_exePath = argv[1];
    if (argc > 2)
        g_facts = &Handheld;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    return RUN_ALL_TESTS();
}
