#pragma once

// The radix of a result, as the evaluation request carries it: Enter asks
// for a decimal result, Ctrl+Shift+H for a hexadecimal one ("0x" prefix).
enum class EvaluationMode : int { Decimal = 0, Hexadecimal = 1 };
