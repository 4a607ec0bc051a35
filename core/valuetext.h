#pragma once
#include <string>

// The value column of the constants page: the 15-significant-digit text of
// the result formatting, with the trailing point of that form kept on plain
// integral values ("2."), and its reading back. Every value that passes
// through the page is thus rounded to 15 significant digits.
std::string valueText(double value);

// Reads the longest number at the start of the text, after blanks, with the
// point as decimal separator whatever the locale ("inf", "-inf" and "nan"
// included, so that every text of valueText reads back); 0 when there is none.
double valueFromText(const std::string& text);
