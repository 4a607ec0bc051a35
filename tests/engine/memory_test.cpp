#include "tests/engine/test_support.h"

#include <cstdlib>
#include <fstream>
#include <new>
#include <ostream>
#include <string>

#if !defined(_WIN32)  // the process's resource limits: Windows has none
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

constexpr std::size_t megabyte = 1 << 20;

struct BudgetCase {
    const char* name;
    std::string text;
    std::size_t budget;
    std::string expected;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const BudgetCase& row, std::ostream* out)
{
    *out << row.name;
}

class MemoryBudget : public ::testing::TestWithParam<BudgetCase> {};
TEST_P(MemoryBudget, RefusesOnlyWhatWouldNotFit)
{
    Calculator<double> calculator;
    const std::size_t budget = GetParam().budget;
    calculator.setMemoryBudget([budget] { return budget; });
    EXPECT_EQ(outcome(calculator, GetParam().text), GetParam().expected);
    // Refused before anything was applied; the engine goes on as before.
    EXPECT_EQ(calculator.variables.count("x"), 0u);
    EXPECT_EQ(outcome(calculator, "1+2"), "3");
}
INSTANTIATE_TEST_SUITE_P(
    Engine, MemoryBudget,
    ::testing::Values(
        // 300,000 operands on the stack need about 5 MB.
        BudgetCase{"deep_operand_stack", std::string(300'000, '.'), 4 * megabyte, memoryErrorMessage},
        BudgetCase{"deep_operand_stack_with_room", std::string(300'000, '.'), 64 * megabyte, syntaxError},
        BudgetCase{"one_long_literal_needs_no_room", std::string(300'000, '1'), 2 * megabyte, "inf"},
        BudgetCase{"long_name_refused_before_assigning", "(x=5)+" + std::string(400'000, 'a'), 2 * megabyte,
                   memoryErrorMessage},
        BudgetCase{"short_text_never_refused", "1+1", 0, "2"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(MemoryBudget, AFailedAllocationIsAMemoryError)
{
    Calculator<double> calculator;
    calculator.setMemoryBudget([]() -> std::size_t { throw std::bad_alloc(); });
    EXPECT_EQ(outcome(calculator, std::string(100'000, '1')), memoryErrorMessage);
    EXPECT_EQ(outcome(calculator, "2*3"), "6");
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
// The end of a call gives a long text's stacks back without asking for more,
// even when the text took every byte the address-space limit left.
TEST(MemoryBudget, NothingLeftAfterALongText)
{
    const std::string text(300'000, '.');
    const pid_t child = ::fork();
    if (child == 0) {
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlimit limit{pages * ::sysconf(_SC_PAGESIZE) + 64 * megabyte, RLIM_INFINITY};
        ::setrlimit(RLIMIT_AS, &limit);
        Calculator<double> calculator;
        calculator.setMemoryBudget([] {
            for (std::size_t size = megabyte; size >= 16; size /= 2)
                for (void* volatile block = &size; block != nullptr;)
                    block = std::malloc(size);
            return ~std::size_t{0};
        });
        try {
            calculator.calculate(text, 0);
        } catch (const memory_error&) {
            ::_exit(0);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0) << "a crash, or no memory error";
}
#endif

}  // namespace
