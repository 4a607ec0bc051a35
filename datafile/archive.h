#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised by a loading Archive when a read would go past the end of the data,
// and by a storing Archive for a text too long for a counted string.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Counted strings and little-endian numbers in the layout of the data file.
// An archive either loads from the bytes it is given or stores into its
// own buffer (bytes()). Reading checks every length against the bytes left
// and throws ArchiveError instead of reading past the end; nothing is
// allocated for a length before it is known to fit. Calling a read on a
// storing archive, or a write on a loading one, throws std::logic_error.
//
// Counted string prefixes, L being the text's length in bytes:
//   L < 0xFF               one byte L
//   0xFF <= L < 0xFFFE     0xFF, then L as 16 bits
//   L >= 0xFFFE            0xFF, 0xFFFF, then L as 32 bits
// The reader takes 0xFF followed by any 16-bit value below 0xFFFF as that
// length, so the never-written 0xFF 0xFFFE reads as a 65534-byte text.
class Archive {
public:
    static Archive forLoading(std::string bytes);
    static Archive forStoring();

    bool isStoring() const { return !m_loading; }

    void writeUInt32(std::uint32_t value);
    void writeDouble(double value);  // IEEE 754 binary64, every bit kept
    void writeString(std::string_view text);

    std::uint32_t readUInt32();
    std::int32_t readInt32();
    double readDouble();
    std::string readString();

    // Loading: the bytes not read yet. Storing: 0.
    std::size_t remaining() const;
    // Storing: everything written so far.
    const std::string& bytes() const { return m_buffer; }

private:
    explicit Archive(bool loading) : m_loading(loading) {}

    void require(bool loading) const;
    std::string_view take(std::size_t count);
    std::uint64_t readLittleEndian(std::size_t size);
    void writeLittleEndian(std::uint64_t value, std::size_t size);

    bool m_loading;
    std::string m_buffer;
    std::size_t m_position = 0;
};
