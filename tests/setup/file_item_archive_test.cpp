#include <gtest/gtest.h>

#include "fake_path_platform.h"
#include "file_item.h"

namespace {

class NoFiles : public FileSizeProbe {
public:
    bool SizeOf(const std::string&, std::uint64_t&) override { return false; }
};

class SizedFiles : public FileSizeProbe {
public:
    std::uint64_t size = 0;
    bool SizeOf(const std::string&, std::uint64_t& out) override
    {
        out = size;
        return true;
    }
};

TEST(FileItemArchiveTest, StoredFormFieldByField)
{
    FakePathPlatform platform;
    SizedFiles probe;
    probe.size = 0x0000000500000007ull;
    CFileItem item(platform, probe);
    item.SetPath("C:\\a\\b.exe", 64);
    item.SetExtraTexts("x", "");

    ArchiveStream archive;
    ASSERT_TRUE(item.Serialize(archive));
    const std::vector<std::uint8_t> expected = {
        10, 'C', ':', '\\', 'a', '\\', 'b', '.', 'e', 'x', 'e',  // full path
        5, 'b', '.', 'e', 'x', 'e',                            // name
        5, 'C', ':', '\\', 'a', '\\',                          // folder
        1, 'x',                                                // further texts
        0,
        7, 0, 0, 0,                                            // size, low
        5, 0, 0, 0,                                            // size, high
        64, 0, 0, 0,                                           // flags
    };
    EXPECT_EQ(archive.Bytes(), expected);
}

TEST(FileItemArchiveTest, LongTextsUseTheLongerLengthForms)
{
    ArchiveStream store;
    store.WriteText(std::string(254, 'a'));
    store.WriteText(std::string(255, 'b'));
    store.WriteText(std::string(0xFFFD, 'c'));
    store.WriteText(std::string(0xFFFE, 'd'));
    const auto& bytes = store.Bytes();
    EXPECT_EQ(bytes[0], 254);
    EXPECT_EQ(bytes[255], 0xFF);
    EXPECT_EQ(bytes[256], 255);
    EXPECT_EQ(bytes[257], 0);
    const std::size_t third = 255 + 3 + 255;
    EXPECT_EQ(bytes[third + 1], 0xFD);
    EXPECT_EQ(bytes[third + 2], 0xFF);
    const std::size_t fourth = third + 3 + 0xFFFD;
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + fourth, bytes.begin() + fourth + 7),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}));

    ArchiveStream load(bytes);
    std::string text;
    for (std::size_t length : {254u, 255u, 0xFFFDu, 0xFFFEu}) {
        ASSERT_TRUE(load.ReadText(text));
        EXPECT_EQ(text.size(), length);
    }
    EXPECT_FALSE(load.ReadText(text));
}

TEST(FileItemArchiveTest, RoundTrip)
{
    FakePathPlatform platform;
    SizedFiles probe;
    probe.size = 0x123456789Aull;
    CFileItem item(platform, probe);
    item.SetPath("\"C:\\Setup Files\\setup.exe\"", 99);
    item.SetExtraTexts(std::string(300, 'e'), "second");
    ArchiveStream store;
    item.Serialize(store);

    NoFiles none;
    CFileItem loaded(platform, none);
    ArchiveStream load(store.Bytes());
    ASSERT_TRUE(loaded.Serialize(load));
    EXPECT_EQ(loaded.FullPath(), "C:\\Setup Files\\setup.exe");
    EXPECT_EQ(loaded.Name(), "setup.exe");
    EXPECT_EQ(loaded.FolderText(), "C:\\Setup Files\\");
    EXPECT_EQ(loaded.ExtraText1(), std::string(300, 'e'));
    EXPECT_EQ(loaded.ExtraText2(), "second");
    EXPECT_EQ(loaded.Size(), 0x123456789Aull);
    EXPECT_EQ(loaded.Flags(), 99u);
}

TEST(FileItemArchiveTest, ShortOrMalformedStreamsLeaveTheItemAlone)
{
    FakePathPlatform platform;
    NoFiles none;
    CFileItem item(platform, none);
    item.SetPath("C:\\dir\\file.txt", 64);
    ArchiveStream store;
    item.Serialize(store);
    const std::vector<std::uint8_t> whole = store.Bytes();

    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        CFileItem target(platform, none);
        target.SetPath("D:\\keep\\me.bin", 7);
        ArchiveStream load(std::vector<std::uint8_t>(whole.begin(), whole.begin() + cut));
        EXPECT_FALSE(target.Serialize(load)) << "cut at " << cut;
        EXPECT_EQ(target.FullPath(), "D:\\keep\\me.bin");
        EXPECT_EQ(target.Flags(), 7u);
    }

    // A length far beyond the stream, and the UTF-16 marker.
    for (const std::vector<std::uint8_t>& bad :
         {std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'},
          std::vector<std::uint8_t>{0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b', 0}}) {
        ArchiveStream load(bad);
        std::string text = "unchanged";
        EXPECT_FALSE(load.ReadText(text));
        EXPECT_EQ(text, "unchanged");
        EXPECT_TRUE(load.Failed());
    }
}

}  // namespace
