#include "datafile/archive.h"

#include <bit>
#include <limits>
#include <utility>

namespace {

constexpr unsigned char longPrefix = 0xFF;
constexpr std::uint16_t wideMarker = 0xFFFF;
constexpr std::size_t firstWideLength = 0xFFFE;

}  // namespace

Archive Archive::forLoading(std::string bytes)
{
    Archive archive(true);
    archive.m_buffer = std::move(bytes);
    return archive;
}

Archive Archive::forStoring()
{
    return Archive(false);
}

void Archive::require(bool loading) const
{
    if (loading != m_loading)
        throw std::logic_error(loading ? "read from a storing archive" : "write to a loading archive");
}

std::size_t Archive::remaining() const
{
    return m_loading ? m_buffer.size() - m_position : 0;
}

std::string_view Archive::take(std::size_t count)
{
    require(true);
    if (count > remaining())
        throw ArchiveError("unexpected end of data");
    const std::string_view part(m_buffer.data() + m_position, count);
    m_position += count;
    return part;
}

// Assembled byte by byte so that the result does not depend on the host's
// byte order.
std::uint64_t Archive::readLittleEndian(std::size_t size)
{
    const std::string_view part = take(size);
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(part[i]);
    return value;
}

void Archive::writeLittleEndian(std::uint64_t value, std::size_t size)
{
    require(false);
    for (std::size_t i = 0; i < size; ++i) {
        m_buffer.push_back(static_cast<char>(value & 0xFF));
        value >>= 8;
    }
}

void Archive::writeUInt32(std::uint32_t value)
{
    writeLittleEndian(value, 4);
}

void Archive::writeDouble(double value)
{
    static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8);
    writeLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

void Archive::writeString(std::string_view text)
{
    require(false);
    const std::size_t length = text.size();
    if (length > std::numeric_limits<std::uint32_t>::max())
        throw ArchiveError("text too long for the data file");
    if (length < longPrefix) {
        writeLittleEndian(length, 1);
    } else if (length < firstWideLength) {
        writeLittleEndian(longPrefix, 1);
        writeLittleEndian(length, 2);
    } else {
        writeLittleEndian(longPrefix, 1);
        writeLittleEndian(wideMarker, 2);
        writeLittleEndian(length, 4);
    }
    m_buffer.append(text);
}

std::uint32_t Archive::readUInt32()
{
    return static_cast<std::uint32_t>(readLittleEndian(4));
}

std::int32_t Archive::readInt32()
{
    return static_cast<std::int32_t>(readUInt32());
}

double Archive::readDouble()
{
    return std::bit_cast<double>(readLittleEndian(8));
}

std::string Archive::readString()
{
    std::uint64_t length = readLittleEndian(1);
    if (length == longPrefix) {
        length = readLittleEndian(2);
        if (length == wideMarker)
            length = readLittleEndian(4);
    }
    // take() checks the length against the bytes left before anything is copied.
    return std::string(take(static_cast<std::size_t>(length)));
}
