#include "core/clipboardcalculation.h"
#include "engine/myexception.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class WriteFailure { None, MemoryError, BadAlloc };

// A clipboard holding `contents`, or none that can be read.
class FakeClipboard : public ClipboardPort {
public:
    std::optional<std::string> contents;
    WriteFailure writeFailure = WriteFailure::None;
    std::vector<std::string> told;

    std::optional<std::string> readText() override { return contents; }
    void writeText(const std::string& text) override
    {
        if (writeFailure == WriteFailure::MemoryError)
            throw memory_error(memoryErrorMessage);
        if (writeFailure == WriteFailure::BadAlloc)
            throw std::bad_alloc();
        contents = text;
    }
    void tellUser(const std::string& message) override { told.push_back(message); }
};

struct ClipboardCase {
    const char* name;
    std::optional<std::string> before;
    WriteFailure writeFailure;
    std::optional<std::string> after;
    bool told;
};

ORRIN_PRINT_CASE_BY_NAME(ClipboardCase)

class ClipboardCalculationTest : public ::testing::TestWithParam<ClipboardCase> {};
TEST_P(ClipboardCalculationTest, ReplacesTheTextOrKeepsIt)
{
    const ClipboardCase& c = GetParam();
    FakeClipboard clipboard;
    clipboard.contents = c.before;
    clipboard.writeFailure = c.writeFailure;
    Calculator<double> calculator;
    const ClipboardCalculation done = calculateClipboard(calculator, clipboard);
    EXPECT_EQ(clipboard.contents, c.after);
    EXPECT_EQ(done.written, c.before && c.after != c.before);
    EXPECT_EQ(clipboard.told, c.told ? std::vector<std::string>{memoryErrorMessage} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Presses, ClipboardCalculationTest,
    ::testing::Values(ClipboardCase{"result", "1+2", WriteFailure::None, "3", false},
                      ClipboardCase{"error_message_alone", "1/0", WriteFailure::None, "Division by zero.", false},
                      ClipboardCase{"unreadable_left_alone", std::nullopt, WriteFailure::None, std::nullopt, false},
                      ClipboardCase{"memory_error_keeps_clipboard", "1+2", WriteFailure::MemoryError, "1+2", true},
                      ClipboardCase{"failed_allocation_keeps_clipboard", "1+2", WriteFailure::BadAlloc, "1+2", true}),
    caseName);

}  // namespace
