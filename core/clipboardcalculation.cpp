#include "core/clipboardcalculation.h"

#include "core/evaluationmode.h"
#include "engine/myexception.h"

#include <algorithm>
#include <new>

namespace {

std::string outcomeOf(Calculator<double>& calculator, const std::string& text)
{
    try {
        return calculator.calculate(text, static_cast<int>(EvaluationMode::Decimal));
    } catch (const memory_error&) {
        throw;
    } catch (const myexception& error) {
        return error.what();
    }
}

}  // namespace

ClipboardCalculation calculateClipboard(Calculator<double>& calculator, ClipboardPort& clipboard)
{
    ClipboardCalculation done;
    try {
        std::optional<std::string> text = clipboard.readText();
        if (!text)
            return done;
        done.textSize = text->size();
        clipboard.writeText(outcomeOf(calculator, *text));
        done.written = true;
    } catch (const memory_error& error) {
        clipboard.tellUser(error.what());
    } catch (const std::bad_alloc&) {
        clipboard.tellUser(memoryErrorMessage);
    }
    return done;
}
