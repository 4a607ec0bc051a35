#include "core/historyline.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct EntryCase {
    const char* name;
    std::string entry;
    int mode;
    std::optional<std::string> line;
};

ORRIN_PRINT_CASE_BY_NAME(EntryCase)

class HistoryLine : public ::testing::TestWithParam<EntryCase> {};
TEST_P(HistoryLine, EvaluatesTheExpressionPart)
{
    Calculator<double> calculator;
    EXPECT_EQ(evaluateEntry(calculator, GetParam().entry, GetParam().mode), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Entries, HistoryLine, ::testing::Values(
    EntryCase{"empty_gives_no_line", "", 0, std::nullopt},
    EntryCase{"hexadecimal", "255", 1, "255 : 0xff"},
    EntryCase{"cut_at_first_separator", "5 : 6 : 7", 0, "5 : 5"},
    EntryCase{"separator_first", " : x", 0, " : Syntax error."},
    EntryCase{"unknown_mode_evaluates_nothing", "1+2", 2, "1+2 : "}),
    caseName);

}  // namespace
