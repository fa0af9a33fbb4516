#include "archive_stream.h"

ArchiveStream::ArchiveStream(std::vector<std::uint8_t> bytes)
    : m_storing(false), m_bytes(std::move(bytes))
{
}

void ArchiveStream::WriteUint16(std::uint16_t value)
{
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveStream::WriteUint32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void ArchiveStream::WriteText(const std::string& text)
{
    const std::size_t length = text.size();
    if (length < 0xFF) {
        m_bytes.push_back(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        m_bytes.push_back(0xFF);
        WriteUint16(static_cast<std::uint16_t>(length));
    } else {
        m_bytes.push_back(0xFF);
        WriteUint16(0xFFFF);
        WriteUint32(static_cast<std::uint32_t>(length));
    }
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
}

bool ArchiveStream::Take(std::size_t count, const std::uint8_t*& bytes)
{
    if (m_failed || m_storing || count > m_bytes.size() - m_pos) {
        m_failed = true;
        return false;
    }
    bytes = m_bytes.data() + m_pos;
    m_pos += count;
    return true;
}

bool ArchiveStream::ReadUint32(std::uint32_t& value)
{
    const std::uint8_t* b = nullptr;
    if (!Take(4, b))
        return false;
    value = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
            (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

bool ArchiveStream::ReadText(std::string& text)
{
    const std::uint8_t* b = nullptr;
    if (!Take(1, b))
        return false;
    std::uint32_t length = b[0];
    if (length == 0xFF) {
        if (!Take(2, b))
            return false;
        length = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8);
        if (length == 0xFFFE) {
            // The marker of a UTF-16 text, which this 8-bit program does not store.
            m_failed = true;
            return false;
        }
        if (length == 0xFFFF && !ReadUint32(length))
            return false;
    }
    if (!Take(length, b))
        return false;
    text.assign(reinterpret_cast<const char*>(b), length);
    return true;
}
