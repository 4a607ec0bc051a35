#include "tests/engine/test_support.h"

#include <cmath>

namespace {

class Functions : public ::testing::TestWithParam<Case> {};
TEST_P(Functions, Compute)
{
    EXPECT_EQ(outcome(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Library, Functions,
    ::testing::Values(
        Case{"pow", "pow(2,10)", "1024"}, Case{"pow_domain", "pow(-8,1/3)", illegalError},
        Case{"pow_range", "pow(10,400)", overflow}, Case{"acos_domain", "acos(2)", illegalError},
        Case{"asin_domain", "asin(-1.5)", illegalError}, Case{"cosh_range", "cosh(1000)", overflow},
        Case{"sinh_range", "sinh(1000)", overflow}, Case{"ceil", "ceil(-1.5)", "-1"},
        Case{"floor", "floor(-1.5)", "-2"}, Case{"tanh", "tanh(1000)", "1"}, Case{"pow_pole", "pow(0,(-1))", overflow},
        Case{"pow_underflow_to_zero", "pow(2,(-1080))", overflow},
        Case{"pow_subnormal", "pow(2,(-1074))", "4.94065645841247e-324"}, Case{"pow_of_nan", "pow(sqrt(-1),2)", "nan"},
        Case{"acos_of_infinity", "acos(1e400)", illegalError}, Case{"cosh_of_infinity", "cosh(1e400)", "inf"}),
    caseName);

// Functions without errors pass infinities and not-a-number on.
INSTANTIATE_TEST_SUITE_P(
    Direct, Functions,
    ::testing::Values(Case{"exp_overflow_is_infinite", "exp(1000)", "inf"}, Case{"log_of_zero", "log(0)", "-inf"},
                      Case{"log_of_negative", "log(-1)", "nan"}, Case{"log10_of_negative", "log10(-1)", "nan"},
                      Case{"sqrt_of_negative", "sqrt(-1)", "nan"}, Case{"sin_of_infinity", "sin(1e400)", "nan"},
                      Case{"cos_of_infinity", "cos(1e400)", "nan"}, Case{"tan_of_infinity", "tan(1e400)", "nan"},
                      Case{"atan_of_infinity", "atan(1e400)", "1.5707963267949"},
                      Case{"atan", "atan(1)", "0.785398163397448"}, Case{"log10", "log10(1000)", "3"},
                      Case{"log10_of_zero", "log10(0)", illegalError},
                      Case{"log10_of_negative_zero", "log10(-0)", illegalError},
                      Case{"log10_of_nan", "log10(sqrt(-1))", illegalError},
                      Case{"reciprocal_of_nan", "1/sqrt(-1)", divisionByZero}),
    caseName);

INSTANTIATE_TEST_SUITE_P(Absolute, Functions,
                         ::testing::Values(Case{"abs_truncates", "abs(-2.7)", "2"},
                                           Case{"fabs_keeps_fraction", "fabs(-2.7)", "2.7"},
                                           Case{"abs_of_most_negative", "abs(2147483648)", "-2147483648"},
                                           Case{"abs_of_nan", "abs(sqrt(-1))", "0"}),
                         caseName);

INSTANTIATE_TEST_SUITE_P(
    CallingForms, Functions,
    ::testing::Values(Case{"bare_operand", "sin 0", "0"}, Case{"bare_operand_then_sum", "sin 0 + 1", "1"},
                      Case{"binds_tighter_than_product", "sin 2*3", "2.72789228047704"},
                      Case{"parenthesised", "sin(0)+1", "1"}, Case{"nested_calls", "sin(cos(0))", "0.841470984807897"},
                      Case{"nested_without_parentheses", "sin cos 0", syntaxError}, Case{"alone", "sin", syntaxError},
                      Case{"sign_operand", "sin -1", syntaxError}, Case{"complement_operand", "sin ~0", syntaxError},
                      Case{"signed_argument", "sin(-1)", "-0.841470984807897"},
                      Case{"pow_without_parentheses", "pow 2,3", syntaxError},
                      Case{"pow_one_operand", "pow(2)", syntaxError},
                      Case{"pow_three_operands", "pow(2,3,4)", syntaxError},
                      Case{"sin_two_operands", "sin(1,2)", syntaxError},
                      Case{"upper_case_is_a_variable", "SIN(0)", syntaxError},
                      Case{"functions_shadow_variables", "sin=5", syntaxError}),
    caseName);

TEST(Functions, AStoreEntryNamedLikeAFunctionIsNeverRead)
{
    Calculator<double> calculator;
    calculator.setVariable("sin", Variable{5, "shadow"});
    EXPECT_EQ(outcome(calculator, "sin 0"), "0");
}

}  // namespace
