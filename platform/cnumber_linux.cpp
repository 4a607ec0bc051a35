#include "platform/cnumber.h"

#include <cstdlib>
#include <locale.h>

double strtodC(const char* text, char** end)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, end, cLocale);
}
