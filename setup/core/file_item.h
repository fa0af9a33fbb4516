#pragma once
// CFileItem: a full file path split into its folder and its name, with the
// file's size when the file can be opened.

#include <cstdint>
#include <string>

#include "archive_stream.h"
#include "file_size_probe.h"
#include "path_name.h"

class CFileItem {
public:
    static constexpr std::uint32_t kDefaultFlags = 64;
    // Name and schema of the stored form.
    static constexpr const char* kClassName = "CFileItem";
    static constexpr unsigned kSchema = 0;

    explicit CFileItem(PathPlatform& platform = SystemPathPlatform(),
                       FileSizeProbe& probe = SystemFileSizeProbe());
    virtual ~CFileItem() = default;

    // Sets every field from a full path; null changes nothing. Double quotes
    // count as blanks, the split is at the last backslash. The folder is a
    // plain path: square brackets in it are no folder macro.
    void SetPath(const char* text, std::uint32_t flags);

    // Stores or loads the fields: full path, name, folder text, the two
    // further texts, the size's low and high 32 bits, the flags. A failed
    // load leaves the item as it was.
    bool Serialize(ArchiveStream& archive);
    void SetExtraTexts(std::string first, std::string second);
    const std::string& ExtraText1() const { return m_extra1; }
    const std::string& ExtraText2() const { return m_extra2; }

    std::string FolderText() const { return m_folder.Text(); }
    const CPathName& Folder() const { return m_folder; }
    const std::string& FullPath() const { return m_fullPath; }
    const std::string& Name() const { return m_name; }
    std::uint64_t Size() const { return m_size; }
    std::uint32_t Flags() const { return m_flags; }

private:
    FileSizeProbe* m_probe;
    std::string m_fullPath;
    std::string m_name;
    CPathName m_folder;
    // Carried for the item's stored form only; the installer never sets them.
    std::string m_extra1;
    std::string m_extra2;
    std::uint64_t m_size = 0;
    std::uint32_t m_flags = kDefaultFlags;
};
