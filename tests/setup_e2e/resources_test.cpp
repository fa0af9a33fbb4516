// The resources compiled into setup.exe, read back from the program file:
// the install dialog's template, the icon group, the application manifest and
// the version block.

#include <gtest/gtest.h>
#include <windows.h>

#include "application_manifest.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ProgramPath()
{
    const char* unixPath = std::getenv("SETUP_EXE");
    std::string path = unixPath != nullptr ? unixPath : "";
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Reads a DLGTEMPLATEEX and its items.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : m_p(data) {}

    WORD Word() { WORD v; std::memcpy(&v, m_p, 2); m_p += 2; return v; }
    DWORD Dword() { DWORD v; std::memcpy(&v, m_p, 4); m_p += 4; return v; }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { return *m_p++; }
    std::string Text()
    {
        std::string text;
        for (WORD c = Word(); c != 0; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    // A name or an ordinal ("#n").
    std::string NameOrOrdinal()
    {
        WORD first;
        std::memcpy(&first, m_p, 2);
        if (first == 0xFFFF) {
            m_p += 2;
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword(const BYTE* base)
    {
        while ((m_p - base) % 4 != 0)
            ++m_p;
    }
    void Skip(std::size_t bytes) { m_p += bytes; }

private:
    const BYTE* m_p;
};

struct Item {
    DWORD exStyle, style;
    short x, y, cx, cy;
    DWORD id;
    std::string className, text;
};

class SetupResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr) << "cannot load " << ProgramPath();
    }
    void TearDown() override
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }

    const BYTE* Resource(LPCSTR name, LPCSTR type, DWORD* size = nullptr) const
    {
        HRSRC found = FindResourceA(m_module, name, type);
        if (found == nullptr)
            return nullptr;
        if (size != nullptr)
            *size = SizeofResource(m_module, found);
        return static_cast<const BYTE*>(LockResource(LoadResource(m_module, found)));
    }

    HMODULE m_module = nullptr;
};

TEST_F(SetupResources, InstallDialogTemplate)
{
    const BYTE* data = Resource(MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_NE(data, nullptr) << "no dialog 102";
    TemplateReader in(data);
    ASSERT_EQ(in.Word(), 1);       // extended template
    ASSERT_EQ(in.Word(), 0xFFFF);
    in.Dword();                    // help id
    EXPECT_EQ(in.Dword(), static_cast<DWORD>(WS_EX_APPWINDOW));
    const DWORD style = in.Dword();
    const DWORD wanted = DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(style & ~static_cast<DWORD>(DS_SETFONT), wanted);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    const WORD count = in.Word();
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 234);
    EXPECT_EQ(in.Short(), 138);
    EXPECT_EQ(in.NameOrOrdinal(), "");  // no menu
    EXPECT_EQ(in.NameOrOrdinal(), "");  // the standard dialog class
    EXPECT_EQ(in.Text(), "Setup");
    ASSERT_TRUE(style & DS_SETFONT);
    EXPECT_EQ(in.Word(), 8);
    in.Word();
    in.Byte();
    in.Byte();
    EXPECT_EQ(in.Text(), "MS Sans Serif");

    std::vector<Item> items;
    for (WORD i = 0; i < count; ++i) {
        in.AlignDword(data);
        Item item;
        in.Dword();
        item.exStyle = in.Dword();
        item.style = in.Dword();
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = in.Dword();
        item.className = in.NameOrOrdinal();
        item.text = in.NameOrOrdinal();
        in.Skip(in.Word());
        items.push_back(item);
    }
    ASSERT_EQ(items.size(), 8u);

    struct Expected {
        DWORD id;
        const char* className;  // #128 button, #129 edit, #130 static
        DWORD style;
        const char* text;
        short x, y, cx, cy;
    };
    const Expected expected[] = {
        {1000, "#128", BS_AUTOCHECKBOX | WS_TABSTOP, "Install %s on my PDA", 17, 74, 156, 10},
        {1001, "#128", BS_AUTOCHECKBOX | WS_TABSTOP, "Install %s on my desktop computer", 17, 89,
         181, 10},
        {1005, "#130", SS_LEFT | WS_GROUP, "Destination folder on my computer:", 29, 105, 110, 8},
        {1003, "#129", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, "", 29, 117, 142, 14},
        {1004, "#128", BS_PUSHBUTTON | WS_TABSTOP, "&Browse ...", 177, 117, 50, 14},
        {1, "#128", BS_DEFPUSHBUTTON | WS_TABSTOP, "Install", 177, 7, 50, 14},
        {2, "#128", BS_PUSHBUTTON | WS_TABSTOP, "Cancel", 177, 23, 50, 14},
        {1002, "#130", SS_LEFT | WS_GROUP, nullptr, 7, 7, 157, 60},
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        const Expected& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(want.id));
        EXPECT_EQ(item.id, want.id);
        EXPECT_EQ(item.className, want.className);
        EXPECT_EQ(item.style & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE), want.style);
        EXPECT_TRUE(item.style & WS_VISIBLE);
        if (want.text != nullptr) {
            EXPECT_EQ(item.text, want.text);
        }
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
    }
}

TEST_F(SetupResources, IconGroupHoldsTwoSixteenColourImages)
{
    DWORD size = 0;
    const BYTE* group = Resource(MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14), &size);  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr) << "no icon group 128";
    WORD count;
    std::memcpy(&count, group + 4, 2);
    ASSERT_EQ(count, 2);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;  // GRPICONDIRENTRY
        WORD bitCount;
        std::memcpy(&bitCount, entry + 6, 2);
        sizes.push_back(entry[0]);
        EXPECT_EQ(entry[0], entry[1]);
        EXPECT_EQ(entry[2], 16) << "colour count";
        EXPECT_EQ(bitCount, 4);
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
    EXPECT_EQ(Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(6)), nullptr) << "no string table";
    EXPECT_EQ(FindResourceA(m_module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(4)), nullptr)
        << "no menu";
}

// Windows Vista and later start the installer with administrator rights: it
// writes under Program Files and the all-users Start menu.
TEST_F(SetupResources, ManifestAsksForAdministratorRights)
{
    const e2e::ApplicationManifest manifest = e2e::ReadApplicationManifest(m_module);
    EXPECT_EQ(e2e::ManifestMismatches(manifest, "1.0.0.0", "requireAdministrator"), std::vector<std::string>{});
}

TEST_F(SetupResources, VersionBlock)
{
    const std::string path = ProgramPath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    struct Translation { WORD language, codePage; }* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation->language, 0x0409);
    EXPECT_EQ(translation->codePage, 1200);

    const std::pair<const char*, const char*> strings[] = {
        {"FileDescription", "Setup executable"}, {"FileVersion", "1, 0, 0, 0"},
        {"InternalName", "setup"},               {"OriginalFilename", "setup.exe"},
        {"ProductName", "Zandravex Installer"},  {"ProductVersion", "1, 0, 0, 0"},
    };
    for (const auto& [name, value] : strings) {
        char* text = nullptr;
        const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text),
                                   &length))
            << name;
        EXPECT_STREQ(text, value) << name;
    }
}

}  // namespace
