#include "cli/orrincalc.h"
#include "tests/support/casename.h"
#include "tests/support/orrincalcrun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#define pipe(ends) _pipe(ends, 1 << 16, _O_BINARY)
#else
#include <unistd.h>
#endif

namespace {

struct CliCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* input;
    int status;
    const char* out;
};
ORRIN_PRINT_CASE_BY_NAME(CliCase)

class OrrinCalc : public ::testing::TestWithParam<CliCase> {};
TEST_P(OrrinCalc, PrintsOneLinePerExpression)
{
    const CalcRun result = runCalc(GetParam().arguments, GetParam().input);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.out, GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(
    Cli, OrrinCalc,
    ::testing::Values(CliCase{"argument", {"2*(3+4)"}, "", 0, "14\n"},
                      CliCase{"arguments_share_variables", {"x=3", "x*x"}, "", 0, "3\n9\n"},
                      CliCase{"hex_option", {"--hex", "255", "-1"}, "", 0, "0xff\n0xffffffff\n"},
                      CliCase{"failure_exits_1_and_goes_on", {"1/0", "1+1"}, "", 1, "Division by zero.\n2\n"},
                      CliCase{"double_dash_ends_options", {"--", "--hex"}, "", 1, "Syntax error.\n"},
                      CliCase{"negative_number_is_an_expression", {"-5"}, "", 0, "-5\n"},
                      CliCase{"stdin_lines", {}, "1+2\nx=4\nx/2\n", 0, "3\n4\n2\n"},
                      CliCase{"stdin_crlf", {}, "1+2\r\n3*3\r\n", 0, "3\n9\n"},
                      CliCase{"stdin_last_line_without_newline", {}, "1\n2", 0, "1\n2\n"},
                      CliCase{"stdin_empty_line_is_an_error", {}, "1\n\n2\n", 1, "1\nSyntax error.\n2\n"},
                      CliCase{"stdin_empty", {}, "", 0, ""}, CliCase{"arguments_ignore_stdin", {"7"}, "8\n", 0, "7\n"}),
    caseName);

TEST(OrrinCalc, UnknownOptionIsAUsageError)
{
    const CalcRun result = runCalc({"--bogus", "1"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("usage:"), std::string::npos);
}

// A line read blocking from a pipe, without its "\n".
std::string readLine(int fd)
{
    std::string line;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n')
        line.push_back(c);
    return line;
}

// Each answer must arrive while the input is still open: a person at a
// terminal, or a program that sends one line and waits for its result, must
// not wait for the end of the input. A program that answers only at the end
// of its input leaves this test waiting until the test's time limit.
struct Exchange {
    const char* line;
    const char* answer;
};

TEST(OrrinCalc, AnswersEachLineBeforeTheInputEnds)
{
    const std::vector<Exchange> conversation = {
        {"1+2", "3"},
        {"x=4", "4"},
        {"1/0", "Division by zero."},
        {"x*x\r", "16"},
    };
    int toCalc[2];
    int fromCalc[2];
    ASSERT_EQ(::pipe(toCalc), 0);
    ASSERT_EQ(::pipe(fromCalc), 0);
    std::FILE* in = ::fdopen(toCalc[0], "r");
    std::FILE* out = ::fdopen(fromCalc[1], "w");
    std::FILE* err = scratchFile();
    ASSERT_TRUE(in && out && err);

    int status = -1;
    std::thread calc([&] {
        const char* arguments[] = {"orrin-calc"};
        status = runOrrinCalc(1, arguments, in, out, err);
    });
    for (const Exchange& exchange : conversation) {
        const std::string line = std::string(exchange.line) + "\n";
        EXPECT_EQ(::write(toCalc[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
        EXPECT_EQ(readLine(fromCalc[0]), exchange.answer) << exchange.line;
    }
    ::close(toCalc[1]);
    calc.join();
    EXPECT_EQ(status, 1);

    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    ::close(fromCalc[0]);
}

#if !defined(_WIN32)
// Streams that fail as a directory read as a file and a stream opened only
// for reading do; the exit status must not claim success.
struct StreamFailure {
    const char* name;
    std::vector<const char*> arguments;
    bool inputFails;
    bool outputFails;
    const char* errorText;
};
ORRIN_PRINT_CASE_BY_NAME(StreamFailure)

class BrokenStreams : public ::testing::TestWithParam<StreamFailure> {};
TEST_P(BrokenStreams, ExitWith2AndSayWhy)
{
    std::vector<const char*> arguments = GetParam().arguments;
    arguments.insert(arguments.begin(), "orrin-calc");
    std::FILE* in = GetParam().inputFails ? std::fopen("/", "r") : std::tmpfile();
    std::FILE* writable = std::tmpfile();
    std::FILE* out = GetParam().outputFails ? std::fopen("/dev/null", "r") : writable;
    std::FILE* err = std::tmpfile();
    ASSERT_TRUE(in && writable && out && err);
    const int status = runOrrinCalc(static_cast<int>(arguments.size()), arguments.data(), in, out, err);
    EXPECT_EQ(status, 2);
    EXPECT_NE(readAll(err).find(GetParam().errorText), std::string::npos);
    for (std::FILE* file : {in, out, err})
        std::fclose(file);
    if (out != writable)
        std::fclose(writable);
}
INSTANTIATE_TEST_SUITE_P(
    Cli, BrokenStreams,
    ::testing::Values(StreamFailure{"unreadable_input", {}, true, false, "cannot read standard input"},
                      StreamFailure{"unwritable_output", {"1+1"}, false, true, "cannot write the results"},
                      StreamFailure{
                          "unwritable_output_after_an_error", {"1/0"}, false, true, "cannot write the results"}),
    caseName);
#endif

// Input is read in blocks of 64 KiB; lines must come out whole and in order
// wherever the block ends fall.
struct LongLine {
    const char* name;
    std::size_t sums;  // the first line is 1 followed by this many "+1"
    const char* lineEnd;
    const char* rest;
    const char* expected;
};
ORRIN_PRINT_CASE_BY_NAME(LongLine)

class LongLines : public ::testing::TestWithParam<LongLine> {};
TEST_P(LongLines, AreReadWhole)
{
    std::string line = "1";
    for (std::size_t i = 0; i < GetParam().sums; ++i)
        line += "+1";
    const CalcRun result = runCalc({}, line + GetParam().lineEnd + GetParam().rest);
    EXPECT_EQ(result.out, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Cli, LongLines,
                         ::testing::Values(LongLine{"spanning_blocks", 100000, "\n", "", "100001\n"},
                                           LongLine{"crlf_split_by_block_end", 32767, "\r\n", "2\n", "32768\n2\n"},
                                           LongLine{"lines_after_a_long_one", 100000, "\n", "x=3\nx*x\n",
                                                    "100001\n3\n9\n"}),
                         caseName);

}  // namespace
