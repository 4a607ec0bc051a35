#include "settings/valuetext.h"

#include "engine/formatnumber.h"
#include "platform/cnumber.h"

#include <algorithm>

namespace {

bool isPlainInteger(const std::string& text)
{
    const std::size_t digits = !text.empty() && text.front() == '-' ? 1 : 0;
    return text.size() > digits &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string valueText(double value)
{
    std::string text = formatNumber(value, 10);
    if (isPlainInteger(text))
        text += '.';
    return text;
}

double valueFromText(const std::string& text)
{
    return strtodC(text.c_str());
}
