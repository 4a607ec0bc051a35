#include "tests/engine/test_support.h"

#include <string>

namespace {

TEST(Errors, CarryTheirMessagesAndDeriveFromMyexception)
{
    using Engine = Calculator<double>;
    const auto message = [](const myexception& error) { return std::string(error.what()); };
    EXPECT_EQ(message(Engine::syntax_error(Engine::syntaxErrorMessage)), "Syntax error.");
    EXPECT_EQ(message(Engine::division_by_zero(Engine::divisionByZeroMessage)), "Division by zero.");
    EXPECT_EQ(message(Engine::illegal_error(Engine::illegalErrorMessage)), "Illegal error.");
    EXPECT_EQ(message(Engine::over_flow(Engine::overflowMessage)), "Overflow.");
}

TEST(Errors, ACopyKeepsTheMessageAndAnEmptyMessageIsNotNull)
{
    const myexception original("\x83\x81\x83\x82");
    const myexception copy = original;
    EXPECT_STREQ(copy.what(), original.what());
    const myexception empty("");
    ASSERT_NE(empty.what(), nullptr);
    EXPECT_STREQ(empty.what(), "");
}

template <class Error>
bool throwsExactly(const char* input)
{
    Calculator<double> calculator;
    try {
        calculator.calculate(input, 0);
    } catch (const Error&) {
        return true;
    } catch (...) {
        return false;
    }
    return false;
}

TEST(Errors, EachSituationThrowsItsClass)
{
    using Engine = Calculator<double>;
    EXPECT_TRUE(throwsExactly<Engine::syntax_error>("(1+2"));
    EXPECT_TRUE(throwsExactly<Engine::syntax_error>("3=4"));
    EXPECT_TRUE(throwsExactly<Engine::division_by_zero>("1/0"));
    EXPECT_TRUE(throwsExactly<Engine::division_by_zero>("7%0"));
    EXPECT_TRUE(throwsExactly<Engine::illegal_error>("log10(0)"));
    EXPECT_TRUE(throwsExactly<Engine::illegal_error>("'\\x'"));
    EXPECT_TRUE(throwsExactly<Engine::over_flow>("cosh(1000)"));
}

}  // namespace
