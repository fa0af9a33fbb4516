// The resources compiled into Quenlark.exe, read from the program file
// (path given as the first argument).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <windows.h>

namespace {

std::string g_exePath;

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
    EXPECT_EQ(String(128), "Quenlark");
    EXPECT_EQ(String(57344), "Quenlark");
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
        {"T&heme", {{"Default", 32774}, {"&London", 32775}, {"&Rattlesnake", 32776}}},
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
    struct Key {
        BYTE modifiers;
        WORD key;
        WORD command;
    };
    const std::vector<Key> expected = {
        {FCONTROL, 'Z', 57643},    {FALT, VK_BACK, 57643},     {FCONTROL, 'C', 57634}, {FCONTROL, VK_INSERT, 57634},
        {FCONTROL, 'V', 57637},    {FSHIFT, VK_INSERT, 57637}, {FCONTROL, 'X', 57635}, {FSHIFT, VK_DELETE, 57635},
        {0, VK_F6, 57680},         {FSHIFT, VK_F6, 57681},
    };
    ASSERT_EQ(count, static_cast<int>(expected.size()));
    for (const Key& want : expected) {
        bool found = false;
        for (int i = 0; i < count; ++i) {
            const BYTE modifiers = entries[i].fVirt & (FCONTROL | FALT | FSHIFT);
            if (entries[i].key == want.key && modifiers == want.modifiers) {
                found = true;
                EXPECT_EQ(entries[i].cmd, want.command) << "key " << want.key;
                EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FNOINVERT), FVIRTKEY | FNOINVERT) << "key " << want.key;
            }
        }
        EXPECT_TRUE(found) << "no entry for key " << want.key << " with modifiers " << int(want.modifiers);
    }
    ::DestroyAcceleratorTable(table);
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
    char block[64];
    ::wsprintfA(block, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"FileVersion", "1, 2, 0, 0"},
        {"ProductVersion", "1, 2, 0, 0"},
        {"FileDescription", "Quenlark Windows version."},
        {"InternalName", "Quenlark"},
        {"OriginalFilename", "Quenlark.EXE"},
        {"ProductName", "Quenlark Application"},
        {"CompanyName", "Zandravex Software"},
    };
    for (const auto& field : expected) {
        char* value = nullptr;
        const std::string query = block + field.first;
        ASSERT_TRUE(::VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << field.first;
        EXPECT_EQ(std::string(value), field.second) << field.first;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: shell_resources_test PATH-OF-Quenlark.exe\n");
        return 2;
    }
    g_exePath = argv[1];
    return RUN_ALL_TESTS();
}
