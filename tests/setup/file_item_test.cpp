#include <gtest/gtest.h>

#include <map>

#include "fake_path_platform.h"
#include "file_item.h"
#include "installer_paths.h"

namespace {

class FakeSizeProbe : public FileSizeProbe {
public:
    std::map<std::string, std::uint64_t> files;
    std::vector<std::string> probed;
    bool SizeOf(const std::string& path, std::uint64_t& size) override
    {
        probed.push_back(path);
        const auto file = files.find(path);
        if (file == files.end())
            return false;
        size = file->second;
        return true;
    }
};

class FileItemTest : public ::testing::Test {
protected:
    FakePathPlatform platform;
    FakeSizeProbe probe;
};

TEST_F(FileItemTest, StartsEmpty)
{
    CFileItem item(platform, probe);
    EXPECT_EQ(item.FullPath(), "");
    EXPECT_EQ(item.Name(), "");
    EXPECT_EQ(item.FolderText(), "");
    EXPECT_EQ(item.Size(), 0u);
    EXPECT_EQ(item.Flags(), 64u);
}

TEST_F(FileItemTest, QuotedPathWithBlanksSplitsAtTheLastBackslash)
{
    probe.files["C:\\Setup Files\\setup.exe"] = 0x123456789ull;
    CFileItem item(platform, probe);
    item.SetPath("\"C:\\Setup Files\\setup.exe\" ", 7);
    EXPECT_EQ(item.FolderText(), "C:\\Setup Files\\");
    EXPECT_EQ(item.Name(), "setup.exe");
    EXPECT_EQ(item.FullPath(), "C:\\Setup Files\\setup.exe");
    EXPECT_EQ(item.Size(), 0x123456789ull);
    EXPECT_EQ(item.Flags(), 7u);
    EXPECT_EQ(probe.probed, std::vector<std::string>{"C:\\Setup Files\\setup.exe"});
}

TEST_F(FileItemTest, FolderIsAPlainPath)
{
    CFileItem item(platform, probe);
    item.SetPath("C:\\Quenlark [1.2]\\setup.exe", 64);
    EXPECT_EQ(item.FolderText(), "C:\\Quenlark [1.2]\\");
    EXPECT_EQ(item.FullPath(), "C:\\Quenlark [1.2]\\setup.exe");
    item.SetPath("[windowsdir]\\notepad.exe", 64);
    EXPECT_EQ(item.FolderText(), "[windowsdir]\\");
    item.SetPath("\\Programs\\x.exe", 64);
    EXPECT_EQ(item.FolderText(), "\\Programs\\");
}

TEST_F(FileItemTest, WithoutBackslashTheFolderStaysAsItWas)
{
    CFileItem item(platform, probe);
    item.SetPath("setup.exe", 64);
    EXPECT_EQ(item.Name(), "setup.exe");
    EXPECT_EQ(item.FolderText(), "");
    EXPECT_EQ(item.FullPath(), "setup.exe");

    item.SetPath("d:\\games\\a.exe", 64);
    item.SetPath("b.exe   ", 64);
    EXPECT_EQ(item.FolderText(), "d:\\games\\");
    EXPECT_EQ(item.FullPath(), "d:\\games\\b.exe");
    // Slashes are no split point.
    item.SetPath("x/y.exe", 64);
    EXPECT_EQ(item.Name(), "x/y.exe");
}

TEST_F(FileItemTest, BackslashInArgumentsMovesTheSplitPoint)
{
    CFileItem item(platform, probe);
    item.SetPath("C:\\dir\\setup.exe /log C:\\temp\\log.txt", 64);
    EXPECT_EQ(item.FolderText(), "C:\\dir\\setup.exe /log C:\\temp\\");
    EXPECT_EQ(item.Name(), "log.txt");
}

TEST_F(FileItemTest, FailedProbeKeepsTheSizeAndNullChangesNothing)
{
    probe.files["C:\\a\\x.bin"] = 42;
    CFileItem item(platform, probe);
    item.SetPath("C:\\a\\x.bin", 64);
    ASSERT_EQ(item.Size(), 42u);
    item.SetPath("C:\\a\\missing.bin", 64);
    EXPECT_EQ(item.Size(), 42u);
    EXPECT_EQ(item.Name(), "missing.bin");

    item.SetPath(nullptr, 5);
    EXPECT_EQ(item.Name(), "missing.bin");
    EXPECT_EQ(item.Flags(), 64u);
}

TEST_F(FileItemTest, BlanksAroundAreTrimmedFromNameAndFolder)
{
    CFileItem item(platform, probe);
    item.SetPath("   C:\\Quen lark\\  game.exe  ", 64);
    EXPECT_EQ(item.FolderText(), "C:\\Quen lark\\");
    EXPECT_EQ(item.Name(), "  game.exe");
}

TEST_F(FileItemTest, InstallerFolderAndConfigurationPath)
{
    EXPECT_EQ(InstallerFolder("C:\\Setup Files\\setup.exe", platform, probe), "C:\\Setup Files\\");
    EXPECT_EQ(InstallerFolder("setup.exe", platform, probe), "");
    EXPECT_EQ(HandheldConfigurationPath("C:\\Setup Files\\", platform),
              "C:\\Setup Files\\setup.ini");
    // A folder whose name holds square brackets stays as it is.
    EXPECT_EQ(InstallerFolder("C:\\Quenlark [1.2]\\setup.exe", platform, probe),
              "C:\\Quenlark [1.2]\\");
    EXPECT_EQ(HandheldConfigurationPath("C:\\Quenlark [1.2]\\", platform),
              "C:\\Quenlark [1.2]\\setup.ini");
    // Without a folder the path name still gives its separator.
    EXPECT_EQ(HandheldConfigurationPath("", platform), "\\setup.ini");
}

TEST_F(FileItemTest, ComponentNamesItsFolderWithItsMacrosExpanded)
{
    EXPECT_EQ(ComponentFolderName("Quenlark", platform), "Quenlark");
    EXPECT_EQ(ComponentFolderName("Q[datedir]", platform), "Q07122026");
    // What it expands to must be one folder name below "c:\Program Files\".
    for (const char* component : {"", "[windowsdir]", "Q[systemdir]", "[datedir]\\Q", "..",
                                  "..\\..\\windows\\Quenlark", "C:\\Quenlark", "Q/x", "Q[unknown]."})
        EXPECT_EQ(ComponentFolderName(component, platform), std::nullopt) << component;
}

}  // namespace
