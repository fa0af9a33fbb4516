// Fuzzes the parsing of path texts: macros, separators, folder levels, the
// split of full paths, the quoting of arguments and the loading of stored
// file items. Every parsed path must end with its separator and every level
// must be a proper prefix of it.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "command_line.h"
#include "file_item.h"
#include "installer_paths.h"
#include "path_name.h"
#include "path_rules.h"

namespace {

class FuzzPlatform : public PathPlatform {
public:
    std::string macroText;
    LocalDate date;
    unsigned cdrom = 0;

    std::string WindowsDirectory() override { return macroText; }
    std::string SystemDirectory() override { return macroText + "\\system32"; }
    std::string CurrentDirectory() override { return "C:\\cwd"; }
    LocalDate Today() override { return date; }
    unsigned DriveType(const std::string& root) override
    {
        return static_cast<unsigned>(root[0] - 'A') == cdrom ? 5 : 3;
    }
    bool ChangeDirectory(const std::string& path) override { return path.size() % 2 == 0; }
    unsigned long MakeDirectory(const std::string& path) override { return path.size() % 3; }
};

class FuzzProbe : public FileSizeProbe {
public:
    bool SizeOf(const std::string& path, std::uint64_t& size) override
    {
        size = path.size();
        return !path.empty() && path.back() != ' ';
    }
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    FuzzPlatform platform;
    FuzzProbe probe;
    platform.date = LocalDate{data[0] - 128, data[1] - 128, (data[2] << 8) - 30000};
    platform.cdrom = data[3] % 32;
    const std::string input(reinterpret_cast<const char*>(data + 4), size - 4);
    const std::size_t cut = input.find('\0');
    const std::string text = input.substr(0, cut);
    platform.macroText = cut == std::string::npos ? std::string() : input.substr(cut + 1);

    CPathName path(text.c_str(), platform);
    Check(!path.Text().empty() && path.Text().back() == path.Separator());
    path.Append(platform.macroText.c_str());
    Check(path.Text().back() == path.Separator());
    for (const std::string& level : ChainLevels(path.Text())) {
        Check(level.size() > 2 && level.size() < path.Text().size());
        Check(path.Text().compare(0, level.size(), level) == 0);
    }
    path.CreateChain();
    path.Exists();

    CFileItem item(platform, probe);
    item.SetPath(input.c_str(), 64);
    Check(item.FullPath() == item.FolderText() + item.Name());

    // The raw bytes as a stored item: loading fails safely or round-trips.
    CFileItem loaded(platform, probe);
    ArchiveStream archive(std::vector<std::uint8_t>(data, data + size));
    if (loaded.Serialize(archive)) {
        ArchiveStream again;
        loaded.Serialize(again);
        CFileItem copy(platform, probe);
        ArchiveStream reload(again.Bytes());
        Check(copy.Serialize(reload));
        Check(copy.FullPath() == loaded.FullPath() && copy.Name() == loaded.Name() &&
              copy.FolderText() == loaded.FolderText() && copy.Size() == loaded.Size() &&
              copy.Flags() == loaded.Flags() && copy.ExtraText2() == loaded.ExtraText2());
    }

    const std::string quoted = QuoteArgument(text);
    Check(!quoted.empty());
    Check(UnquotedPath(quoted).size() <= quoted.size());
    HandheldConfigurationPath(text, platform);

    // A plain name never leads out of the folder it is joined to.
    if (IsPlainName(text))
        Check(text.find_first_of("\\/:") == std::string::npos && text != "..");
    // A normal folder is a full path with backslashes that stays as it is.
    const std::string normal = NormalFolderBelowRoot(text);
    if (!normal.empty())
        Check(IsFullPath(normal) && normal.back() == '\\' && normal.find('/') == std::string::npos &&
              NormalFolderBelowRoot(normal) == normal);
    IsFullPath(text);
    return 0;
}
