#include "core/valuetext.h"

#include "engine/formatnumber.h"

#include <algorithm>
#include <cstdlib>
#include <locale.h>

namespace {

bool isPlainInteger(const std::string& text)
{
    const std::size_t digits = !text.empty() && text.front() == '-' ? 1 : 0;
    return text.size() > digits &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// Qt sets the C library's locale from the environment; the value texts
// always use the point.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
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
    return strtod_l(text.c_str(), nullptr, cLocale());
}
