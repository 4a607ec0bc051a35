#include "core/historyline.h"

#include "engine/myexception.h"

namespace {

bool isKnownMode(int mode)
{
    return mode == static_cast<int>(EvaluationMode::Decimal) || mode == static_cast<int>(EvaluationMode::Hexadecimal);
}

std::string resultOf(Calculator<double>& calculator, const std::string& expression, int mode)
{
    if (!isKnownMode(mode))
        return {};
    try {
        // The engine takes the text up to its first NUL.
        return calculator.calculate(expression.c_str(), mode);
    } catch (const myexception& error) {
        return error.what();
    }
}

std::string expressionOf(const std::string& entry)
{
    return entry.substr(0, entry.find(historySeparator));
}

}  // namespace

std::optional<std::string> evaluateEntry(Calculator<double>& calculator, const std::string& entry, int mode)
{
    if (entry.empty())
        return std::nullopt;
    std::string line = expressionOf(entry);
    const std::string result = resultOf(calculator, line, mode);
    line += historySeparator;
    line += result;
    return line;
}
