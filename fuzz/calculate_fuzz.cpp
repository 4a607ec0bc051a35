// Feeds arbitrary bytes to calculate in both modes with one calculator, so
// that variables assigned by earlier inputs persist, as they do in the program.
// The first byte picks the mode; the rest is the expression.
#include "engine/calculator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

Calculator<double>& sharedCalculator()
{
    static Calculator<double> calculator;
    return calculator;
}

bool isKnownMessage(const std::string& message)
{
    using Engine = Calculator<double>;
    return message == Engine::syntaxErrorMessage || message == Engine::divisionByZeroMessage
        || message == Engine::illegalErrorMessage || message == Engine::overflowMessage
        || message == memoryErrorMessage;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int mode = data[0] & 1;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    Calculator<double>& calculator = sharedCalculator();
    // Keep the store from growing without bound over a long run.
    if (calculator.variables.size() > 1000)
        calculator.variables.clear();
    try {
        const std::string result = calculator.calculate(input, mode);
        if (result.empty() || (mode == 1 && result.rfind("0x", 0) != 0))
            std::abort();
    } catch (const myexception& error) {
        if (!isKnownMessage(error.what()))
            std::abort();
    }
    return 0;
}
