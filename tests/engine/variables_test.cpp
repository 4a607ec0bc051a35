#include "tests/engine/test_support.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> names(const Calculator<double>& calculator)
{
    std::vector<std::string> result;
    for (const auto& [name, variable] : calculator.variables)
        result.push_back(name);
    return result;
}

TEST(Variables, UndefinedNameReadsZeroAndIsNotCreated)
{
    Calculator<double> calculator;
    EXPECT_EQ(outcome(calculator, "y+1"), "1");
    EXPECT_TRUE(calculator.variables.empty());
}

TEST(Variables, CarryOverBetweenCalls)
{
    Calculator<double> calculator;
    EXPECT_EQ(outcome(calculator, "x=5"), "5");
    EXPECT_EQ(outcome(calculator, "x*2"), "10");
}

TEST(Variables, AssignmentEmptiesTheDescription)
{
    Calculator<double> calculator;
    calculator.setVariable("G", Variable{9.8, "gravity"});
    EXPECT_EQ(outcome(calculator, "G=10"), "10");
    EXPECT_EQ(calculator.variables.at("G").value, 10);
    EXPECT_EQ(calculator.variables.at("G").description, "");
}

TEST(Variables, EnumerateInByteOrder)
{
    Calculator<double> calculator;
    for (const char* name : {"b", "B", "a1", "A", "\x83\x41", "A1"})
        calculator.setVariable(name, Variable{1, ""});
    EXPECT_EQ(names(calculator), (std::vector<std::string>{"A", "A1", "B", "a1", "b", "\x83\x41"}));
}

class ReadOrder : public ::testing::TestWithParam<Case> {};
TEST_P(ReadOrder, ReadsEachNameWhenTheEvaluationReachesIt)
{
    Calculator<double> calculator;
    EXPECT_EQ(outcome(calculator, GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Variables, ReadOrder,
                         ::testing::Values(Case{"read_before_assignment", "x+(x=3)", "3"},
                                           Case{"read_after_assignment", "(x=3)+x", "6"},
                                           Case{"self_increment", "x=x+1", "1"},
                                           Case{"assignment_looser_than_comma", "pow(x=2,x)", syntaxError},
                                           Case{"assignment_in_pow_argument", "pow((x=2),x)", "4"}),
                         caseName);

TEST(Variables, SelfIncrementStores)
{
    Calculator<double> calculator;
    outcome(calculator, "x=x+1");
    EXPECT_EQ(outcome(calculator, "x=x+1"), "2");
}

TEST(Variables, SetVariableReplacesBothFields)
{
    Calculator<double> calculator;
    calculator.setVariable("PI", Variable{3.14, "pi"});
    calculator.setVariable("PI", Variable{3.14159, "better pi"});
    ASSERT_EQ(calculator.variables.size(), 1u);
    EXPECT_EQ(calculator.variables.at("PI").value, 3.14159);
    EXPECT_EQ(calculator.variables.at("PI").description, "better pi");
    EXPECT_EQ(outcome(calculator, "PI*2"), "6.28318");
}

}  // namespace
