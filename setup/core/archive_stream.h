#pragma once
// ArchiveStream: the byte form in which serialisable objects store their
// fields, in memory. Texts carry their length in front (one byte below 255,
// else 255 and a 16-bit length below 0xFFFE, else 255, 0xFFFF and a 32-bit
// length); numbers are little-endian. Loading never reads past the end: a
// short or malformed stream only sets the failure flag.

#include <cstdint>
#include <string>
#include <vector>

class ArchiveStream {
public:
    // An empty stream for storing.
    ArchiveStream() = default;
    // A stream to load from.
    explicit ArchiveStream(std::vector<std::uint8_t> bytes);

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }
    bool Failed() const { return m_failed; }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

    void WriteText(const std::string& text);
    void WriteUint32(std::uint32_t value);
    // On failure the value is left as it was and Failed() turns true.
    bool ReadText(std::string& text);
    bool ReadUint32(std::uint32_t& value);

private:
    bool Take(std::size_t count, const std::uint8_t*& bytes);
    void WriteUint16(std::uint16_t value);

    bool m_storing = true;
    bool m_failed = false;
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};
