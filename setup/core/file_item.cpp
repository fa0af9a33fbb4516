#include "file_item.h"

#include <algorithm>

namespace {

constexpr const char* kBlanks = " \t\r\n\v\f";

}  // namespace

CFileItem::CFileItem(PathPlatform& platform, FileSizeProbe& probe)
    : m_probe(&probe), m_folder(platform)
{
}

void CFileItem::SetPath(const char* text, std::uint32_t flags)
{
    if (text == nullptr)
        return;
    m_flags = flags;

    std::string path(text);
    std::replace(path.begin(), path.end(), '"', ' ');

    const std::size_t lastBackslash = path.rfind('\\');
    if (lastBackslash != std::string::npos) {
        m_name = path.substr(lastBackslash + 1);
        m_folder.Text() = path.substr(0, lastBackslash + 1);
    } else {
        m_name = path;
    }

    m_name.erase(m_name.find_last_not_of(kBlanks) + 1);
    std::string& folder = m_folder.Text();
    folder.erase(0, std::min(folder.find_first_not_of(kBlanks), folder.size()));

    m_fullPath = m_folder.Text() + m_name;

    std::uint64_t size = 0;
    if (m_probe->SizeOf(m_fullPath, size))
        m_size = size;
}

void CFileItem::SetExtraTexts(std::string first, std::string second)
{
    m_extra1 = std::move(first);
    m_extra2 = std::move(second);
}

bool CFileItem::Serialize(ArchiveStream& archive)
{
    if (archive.IsStoring()) {
        for (const std::string* text : {&m_fullPath, &m_name, &m_folder.Text(), &m_extra1, &m_extra2})
            archive.WriteText(*text);
        archive.WriteUint32(static_cast<std::uint32_t>(m_size));
        archive.WriteUint32(static_cast<std::uint32_t>(m_size >> 32));
        archive.WriteUint32(m_flags);
        return true;
    }
    std::string texts[5];
    std::uint32_t low = 0, high = 0, flags = 0;
    for (std::string& text : texts)
        archive.ReadText(text);
    archive.ReadUint32(low);
    archive.ReadUint32(high);
    archive.ReadUint32(flags);
    if (archive.Failed())
        return false;
    m_fullPath = std::move(texts[0]);
    m_name = std::move(texts[1]);
    m_folder.Text() = std::move(texts[2]);
    m_extra1 = std::move(texts[3]);
    m_extra2 = std::move(texts[4]);
    m_size = (static_cast<std::uint64_t>(high) << 32) | low;
    m_flags = flags;
    return true;
}
