#include "tests/support/bytes.h"
#include "tests/support/casename.h"
#include "tests/support/orrincalcrun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <random>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Data file records: name, 8-byte value, empty description.
const std::string xIsOneAndAHalf = bytes({0x01, 0, 0, 0, 0x01, 'x', 0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0x00});
const std::string aIsTwoBIsThree = bytes({0x02, 0,   0, 0, 0x01, 'a', 0, 0, 0,    0,    0,    0,   0x00, 0x40, 0x00,
                                          0x01, 'b', 0, 0, 0,    0,   0, 0, 0x08, 0x40, 0x04, 'd', 'e',  's',  'c'});

// "DATA" in an argument stands for the path of the test's data file.
CalcRun runWith(std::vector<std::string> args, const std::string& dataPath, const std::string& input)
{
    for (std::string& arg : args) {
        if (arg == "DATA")
            arg = dataPath;
    }
    return runCalc(args, input);
}

struct Case {
    const char* name;
    std::optional<std::string> dataFile;  // none: the file does not exist
    std::vector<std::string> args;
    std::string input;
    std::string expectedOut;
    int expectedStatus;
    std::string errorMentions;  // "" for a silent run; DATA for the data file's path
};

ORRIN_PRINT_CASE_BY_NAME(Case)

class DataOption : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("orrin-cli-" + std::to_string(std::random_device{}()));
        ASSERT_TRUE(fs::create_directory(m_dir));
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
};

TEST_P(DataOption, LoadsFileBeforeEvaluating)
{
    const fs::path data = m_dir / "Orrin.dat";
    if (GetParam().dataFile)
        std::ofstream(data, std::ios::binary) << *GetParam().dataFile;
    const CalcRun run = runWith(GetParam().args, data.string(), GetParam().input);
    EXPECT_EQ(run.out, GetParam().expectedOut);
    EXPECT_EQ(run.status, GetParam().expectedStatus);
    const std::string mention = GetParam().errorMentions == "DATA" ? data.string() : GetParam().errorMentions;
    if (mention.empty())
        EXPECT_EQ(run.err, "");
    else
        EXPECT_NE(run.err.find(mention), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DataOption,
    ::testing::Values(
        Case{"constant_read_by_expression", xIsOneAndAHalf, {"--data", "DATA", "x*2"}, "", "3\n", 0, ""},
        Case{"several_records", aIsTwoBIsThree, {"--data", "DATA", "a*b", "b-a"}, "", "6\n1\n", 0, ""},
        Case{"hexadecimal_mode", aIsTwoBIsThree, {"--hex", "--data", "DATA", "a*b+9"}, "", "0xf\n", 0, ""},
        Case{"option_after_expression", xIsOneAndAHalf, {"x+1", "--data", "DATA"}, "", "2.5\n", 0, ""},
        Case{"standard_input_lines", xIsOneAndAHalf, {"--data", "DATA"}, "x\r\nx+1\n", "1.5\n2.5\n", 0, ""},
        Case{"assignment_replaces_loaded_value", xIsOneAndAHalf, {"--data", "DATA", "x=4", "x"}, "", "4\n4\n", 0, ""},
        Case{"empty_file_loads_nothing", "", {"--data", "DATA", "1+1"}, "", "2\n", 0, ""},
        Case{"negative_count_loads_nothing", bytes({0, 0, 0, 0x80}), {"--data", "DATA", "7"}, "", "7\n", 0, ""},
        Case{"missing_file", std::nullopt, {"--data", "DATA", "1+1"}, "", "", 2, "DATA"},
        Case{"directory_as_file", std::nullopt, {"--data", ".", "1+1"}, "", "", 2, "cannot read"},
        Case{"three_byte_file", bytes({1, 0, 0}), {"--data", "DATA", "1+1"}, "", "", 2, "DATA"},
        Case{"record_cut_short", xIsOneAndAHalf.substr(0, 10), {"--data", "DATA"}, "1+1\n", "", 2, "DATA"},
        Case{"option_without_file", std::nullopt, {"1+1", "--data"}, "", "", 2, "usage:"},
        Case{"two_data_files", xIsOneAndAHalf, {"--data", "DATA", "--data", "DATA", "x"}, "", "", 2, "usage:"}),
    caseName);

}  // namespace
