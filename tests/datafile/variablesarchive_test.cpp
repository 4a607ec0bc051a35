#include "datafile/variablesarchive.h"
#include "tests/support/bytes.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// One store entry with its value as bits, so that NaNs and -0 compare exactly.
using Entry = std::tuple<std::string, std::uint64_t, std::string>;

std::uint64_t bitsOf(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

std::vector<Entry> entriesOf(const VariableMap& variables)
{
    std::vector<Entry> entries;
    for (const auto& [name, variable] : variables)
        entries.emplace_back(name, bitsOf(variable.value), variable.description);
    return entries;
}

std::string record(const std::string& name, double value, const std::string& description)
{
    Archive archive = Archive::forStoring();
    archive.writeString(name);
    archive.writeDouble(value);
    archive.writeString(description);
    return archive.bytes();
}

std::string stored(Calculator<double>& calculator)
{
    Archive archive = Archive::forStoring();
    serializeVariables(archive, calculator);
    return archive.bytes();
}

TEST(StoreVariables, WritesOneVariableInFifteenBytes)
{
    Calculator<double> calculator;
    calculator.setVariable("x", Variable{1.5, ""});
    EXPECT_EQ(hex(stored(calculator)),
              hex(bytes({0x01, 0x00, 0x00, 0x00, 0x01, 0x78, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F, 0x00})));
}

TEST(StoreVariables, WritesEmptyStoreAsZeroCount)
{
    Calculator<double> calculator;
    EXPECT_EQ(hex(stored(calculator)), hex(bytes({0, 0, 0, 0})));
}

TEST(StoreVariables, WritesEntriesInStoreOrderWithDescriptionsUnchanged)
{
    Calculator<double> calculator;
    const std::string memoryError = bytes({0x83, 0x81, 0x83, 0x82, 0x83, 0x8A});
    calculator.setVariable("b", Variable{4, ""});
    calculator.setVariable("B", Variable{2, memoryError});
    calculator.setVariable("a1", Variable{3, ""});
    calculator.setVariable("A", Variable{1, "first"});
    EXPECT_EQ(hex(stored(calculator)),
              hex(littleEndian32(4) + record("A", 1, "first") + record("B", 2, memoryError) + record("a1", 3, "")
                  + record("b", 4, "")));
}

TEST(StoreVariables, VariablesAssignedByExpressionsAreWritten)
{
    Calculator<double> calculator;
    calculator.calculate("y=2", 0);
    EXPECT_EQ(hex(stored(calculator)), hex(littleEndian32(1) + record("y", 2, "")));
}

struct LoadCase {
    const char* name;
    std::string file;
    bool endsInsideRecord;
    std::vector<Entry> expected;
};
ORRIN_PRINT_CASE_BY_NAME(LoadCase)

class LoadVariables : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadVariables, ReplacesStoreWithRecordsRead)
{
    Calculator<double> calculator;
    calculator.setVariable("old", Variable{9, "from before"});
    Archive archive = Archive::forLoading(GetParam().file);
    if (GetParam().endsInsideRecord)
        EXPECT_THROW(serializeVariables(archive, calculator), ArchiveError);
    else
        EXPECT_NO_THROW(serializeVariables(archive, calculator));
    EXPECT_EQ(entriesOf(calculator.variables), GetParam().expected);
}

const std::uint64_t oneAndAHalf = 0x3FF8000000000000;
const std::uint64_t quietNan = 0x7FF8000000000001;

INSTANTIATE_TEST_SUITE_P(
    Files, LoadVariables,
    ::testing::Values(
        LoadCase{"one_variable", littleEndian32(1) + record("x", 1.5, ""), false, {{"x", oneAndAHalf, ""}}},
        LoadCase{"zero_count", littleEndian32(0), false, {}},
        LoadCase{"count_0x80000000_is_negative", littleEndian32(0x80000000) + record("x", 1.5, ""), false, {}},
        LoadCase{"count_minus_one", littleEndian32(0xFFFFFFFF) + record("x", 1.5, ""), false, {}},
        LoadCase{"duplicate_name_later_wins",
                 littleEndian32(2) + record("x", 1, "first") + record("x", 1.5, "second"),
                 false,
                 {{"x", oneAndAHalf, "second"}}},
        LoadCase{"trailing_bytes_ignored",
                 littleEndian32(1) + record("x", 1.5, "") + "junk\xFF",
                 false,
                 {{"x", oneAndAHalf, ""}}},
        LoadCase{"anything_is_a_name_and_a_value",
                 littleEndian32(2) + record("", std::bit_cast<double>(quietNan), "") + record("sin", -0.0, "d"),
                 false,
                 {{"", quietNan, ""}, {"sin", 0x8000000000000000, "d"}}},
        LoadCase{"three_byte_file", bytes({0x01, 0x00, 0x00}), true, {}},
        LoadCase{"count_without_records", littleEndian32(1), true, {}},
        LoadCase{"huge_count_few_records",
                 littleEndian32(0x7FFFFFFF) + record("x", 1.5, ""),
                 true,
                 {{"x", oneAndAHalf, ""}}},
        LoadCase{"cut_inside_value_keeps_earlier_records",
                 littleEndian32(2) + record("a", 1.5, "") + bytes({0x01, 'b', 0, 0, 0, 0}),
                 true,
                 {{"a", oneAndAHalf, ""}}},
        LoadCase{"cut_before_description",
                 littleEndian32(2) + record("a", 1.5, "") + record("b", 2, "").substr(0, 10),
                 true,
                 {{"a", oneAndAHalf, ""}}},
        LoadCase{"short_form_name_past_end", littleEndian32(1) + bytes({0x09}) + "name", true, {}},
        LoadCase{"16_bit_form_name_past_end", littleEndian32(1) + bytes({0xFF, 0x00, 0x01}) + "name", true, {}},
        LoadCase{"32_bit_form_name_past_end",
                 littleEndian32(1) + bytes({0xFF, 0xFF, 0xFF}) + littleEndian32(0xFFFFFFF0) + "name",
                 true,
                 {}},
        LoadCase{"description_past_end",
                 littleEndian32(1) + record("x", 1.5, "").substr(0, 10) + bytes({0xFF, 0xFF, 0xFF})
                     + littleEndian32(70000) + "short",
                 true,
                 {}}),
    caseName);

TEST(LoadVariables, EmptyDataIsAnError)
{
    Calculator<double> calculator;
    Archive archive = Archive::forLoading("");
    EXPECT_THROW(serializeVariables(archive, calculator), ArchiveError);
}

TEST(VariablesRoundTrip, ReloadsTheSameEntriesBitForBit)
{
    Calculator<double> original;
    const std::vector<std::uint64_t> values = {0,
                                               0x8000000000000000,
                                               0x7FF0000000000000,
                                               0xFFF0000000000000,
                                               0x7FF8000000000BAD,
                                               0x0000000000000001,
                                               0x3FD5555555555555};
    for (std::size_t i = 0; i < values.size(); ++i)
        original.setVariable("V" + std::to_string(i), Variable{std::bit_cast<double>(values[i]), ""});
    original.setVariable(std::string(255, 'N'), Variable{1, std::string(254, 'd')});
    original.setVariable(std::string(65534, 'L'), Variable{2, std::string(70000, 'e')});
    original.setVariable("J", Variable{3, bytes({0x83, 0x81, 0x83, 0x82, 0x83, 0x8A, 0x81, 0x42})});

    const std::string file = stored(original);
    Calculator<double> reloaded;
    Archive archive = Archive::forLoading(file);
    serializeVariables(archive, reloaded);
    EXPECT_EQ(entriesOf(reloaded.variables), entriesOf(original.variables));
    EXPECT_EQ(archive.remaining(), 0u);
    EXPECT_EQ(hex(stored(reloaded)), hex(file));
}

}  // namespace
