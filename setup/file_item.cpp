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
        m_folder.Assign(path.substr(0, lastBackslash + 1));
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
