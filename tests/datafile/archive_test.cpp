#include "datafile/archive.h"
#include "tests/support/bytes.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <string>

namespace {

struct PrefixCase {
    const char* name;
    std::size_t length;
    std::string prefix;
};
ORRIN_PRINT_CASE_BY_NAME(PrefixCase)

class CountedString : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(CountedString, WritesPrefixThenText)
{
    const std::string text(GetParam().length, 'a');
    Archive archive = Archive::forStoring();
    archive.writeString(text);
    EXPECT_EQ(hex(archive.bytes()), hex(GetParam().prefix + text));
}

TEST_P(CountedString, ReadsBackWholeText)
{
    const std::string text(GetParam().length, 'b');
    Archive archive = Archive::forLoading(GetParam().prefix + text + "rest");
    EXPECT_EQ(archive.readString(), text);
    EXPECT_EQ(archive.remaining(), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CountedString,
    ::testing::Values(PrefixCase{"empty", 0, bytes({0x00})}, PrefixCase{"one", 1, bytes({0x01})},
                      PrefixCase{"longest_short_form", 254, bytes({0xFE})},
                      PrefixCase{"first_16_bit_form", 255, bytes({0xFF, 0xFF, 0x00})},
                      PrefixCase{"two_bytes_of_length", 256, bytes({0xFF, 0x00, 0x01})},
                      PrefixCase{"longest_16_bit_form", 65533, bytes({0xFF, 0xFD, 0xFF})},
                      PrefixCase{"first_32_bit_form", 65534, bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
                      PrefixCase{"length_ffff", 65535, bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
                      PrefixCase{"length_70000", 70000, bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})}),
    caseName);

TEST(CountedStringText, KeepsEveryByteUnchanged)
{
    const std::string text = bytes({0x83, 0x81, 0x00, 0xFF, 0x5C, 0x0D, 0x0A});
    Archive store = Archive::forStoring();
    store.writeString(text);
    EXPECT_EQ(hex(store.bytes()), hex(bytes({0x07}) + text));
    Archive load = Archive::forLoading(store.bytes());
    EXPECT_EQ(hex(load.readString()), hex(text));
}

// 0xFF 0xFFFE is never written; the reader takes it as a 65534-byte length.
TEST(CountedStringText, ReadsUnwrittenFfffeFormAsLength)
{
    const std::string text(0xFFFE, 'c');
    Archive archive = Archive::forLoading(bytes({0xFF, 0xFE, 0xFF}) + text);
    EXPECT_EQ(archive.readString().size(), 0xFFFEu);
    EXPECT_EQ(archive.remaining(), 0u);
}

struct NumberCase {
    const char* name;
    std::function<void(Archive&)> write;
    std::string expected;
};
ORRIN_PRINT_CASE_BY_NAME(NumberCase)

class NumberLayout : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberLayout, IsLittleEndian)
{
    Archive archive = Archive::forStoring();
    GetParam().write(archive);
    EXPECT_EQ(hex(archive.bytes()), hex(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberLayout,
    ::testing::Values(
        NumberCase{"uint32", [](Archive& a) { a.writeUInt32(0x12345678); }, bytes({0x78, 0x56, 0x34, 0x12})},
        NumberCase{"uint32_max", [](Archive& a) { a.writeUInt32(0xFFFFFFFF); }, bytes({0xFF, 0xFF, 0xFF, 0xFF})},
        NumberCase{"double_one_and_a_half", [](Archive& a) { a.writeDouble(1.5); },
                   bytes({0, 0, 0, 0, 0, 0, 0xF8, 0x3F})},
        NumberCase{"double_negative_zero", [](Archive& a) { a.writeDouble(-0.0); }, bytes({0, 0, 0, 0, 0, 0, 0, 0x80})},
        NumberCase{"double_minus_two", [](Archive& a) { a.writeDouble(-2.0); }, bytes({0, 0, 0, 0, 0, 0, 0, 0xC0})}),
    caseName);

struct BitsCase {
    const char* name;
    std::uint64_t bits;
};
ORRIN_PRINT_CASE_BY_NAME(BitsCase)

class DoubleRoundTrip : public ::testing::TestWithParam<BitsCase> {};

TEST_P(DoubleRoundTrip, KeepsEveryBit)
{
    Archive store = Archive::forStoring();
    store.writeDouble(std::bit_cast<double>(GetParam().bits));
    Archive load = Archive::forLoading(store.bytes());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(load.readDouble()), GetParam().bits);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DoubleRoundTrip,
    ::testing::Values(BitsCase{"zero", 0}, BitsCase{"negative_zero", 0x8000000000000000},
                      BitsCase{"infinity", 0x7FF0000000000000}, BitsCase{"negative_infinity", 0xFFF0000000000000},
                      BitsCase{"quiet_nan_with_payload", 0x7FF8000000012345},
                      BitsCase{"negative_nan", 0xFFF8000000000000}, BitsCase{"signalling_nan", 0x7FF0000000000001},
                      BitsCase{"smallest_subnormal", 0x0000000000000001},
                      BitsCase{"largest_finite", 0x7FEFFFFFFFFFFFFF}, BitsCase{"one_third", 0x3FD5555555555555}),
    caseName);

TEST(ReadInt32, TakesTopBitAsSign)
{
    Archive archive = Archive::forLoading(bytes({0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(archive.readInt32(), INT32_MIN);
    EXPECT_EQ(archive.readInt32(), -1);
}

struct TruncatedCase {
    const char* name;
    std::string data;
    std::function<void(Archive&)> read;
};
ORRIN_PRINT_CASE_BY_NAME(TruncatedCase)

class PastTheEnd : public ::testing::TestWithParam<TruncatedCase> {};

TEST_P(PastTheEnd, ThrowsArchiveError)
{
    Archive archive = Archive::forLoading(GetParam().data);
    EXPECT_THROW(GetParam().read(archive), ArchiveError);
}

const auto readUInt32 = [](Archive& a) { a.readUInt32(); };
const auto readDouble = [](Archive& a) { a.readDouble(); };
const auto readString = [](Archive& a) { a.readString(); };

INSTANTIATE_TEST_SUITE_P(
    Reads, PastTheEnd,
    ::testing::Values(
        TruncatedCase{"uint32_from_nothing", "", readUInt32},
        TruncatedCase{"uint32_from_three_bytes", bytes({1, 2, 3}), readUInt32},
        TruncatedCase{"double_from_seven_bytes", bytes({0, 0, 0, 0, 0, 0xF8, 0x3F}), readDouble},
        TruncatedCase{"string_without_prefix", "", readString},
        TruncatedCase{"short_form_one_byte_missing", bytes({0x05}) + "abcd", readString},
        TruncatedCase{"short_form_longest", bytes({0xFE}) + std::string(253, 'x'), readString},
        TruncatedCase{"16_bit_length_cut", bytes({0xFF, 0x2C}), readString},
        TruncatedCase{"16_bit_form_text_short", bytes({0xFF, 0x2C, 0x01}) + std::string(299, 'x'), readString},
        TruncatedCase{"32_bit_length_cut", bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01}), readString},
        TruncatedCase{"32_bit_form_text_short",
                      bytes({0xFF, 0xFF, 0xFF}) + littleEndian32(70000) + std::string(69999, 'x'), readString},
        TruncatedCase{"32_bit_form_four_gigabytes", bytes({0xFF, 0xFF, 0xFF}) + littleEndian32(0xFFFFFFFF) + "tiny",
                      readString}),
    caseName);

TEST(ArchiveDirection, RefusesReadWhileStoringAndWriteWhileLoading)
{
    Archive store = Archive::forStoring();
    EXPECT_THROW(store.readUInt32(), std::logic_error);
    Archive load = Archive::forLoading(bytes({1, 2, 3, 4}));
    EXPECT_THROW(load.writeUInt32(1), std::logic_error);
    EXPECT_THROW(load.writeString("x"), std::logic_error);
    EXPECT_EQ(load.readUInt32(), 0x04030201u);
}

}  // namespace
