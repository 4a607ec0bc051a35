#pragma once
#include "engine/calculator.h"
#include "core/evaluationmode.h"

#include <cstddef>
#include <optional>
#include <string>

// The longest entry text taken without a warning, in bytes of 8-bit text; a
// longer one is warned about on every edit and evaluated all the same.
inline constexpr std::size_t maxEntryLength = 255;

// Between the expression and its result in a history line.
inline constexpr char historySeparator[] = " : ";

// What the evaluation command makes of the entry text (code page 932): the
// line "expression : result" of the text before the first separator (so that
// a history line evaluates again as its expression and whatever was typed
// behind the separator is dropped), with the engine's error message in place of
// the result. An empty entry gives no line, and nothing is to change. A mode
// the program does not know evaluates nothing and gives an empty result.
// The line is the newest history item; the history is newest first, never
// trimmed, never sorted and not saved.
std::optional<std::string> evaluateEntry(Calculator<double>& calculator, const std::string& entry, int mode);
