#include "platform/cnumber.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include <locale.h>

namespace {

// Qt sets the C library's locale from the environment, where the decimal
// separator may be a comma.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

CNumber readCNumber(std::string_view text)
{
    const std::string terminated(text);
    char* end = nullptr;
    errno = 0;
    CNumber number;
    number.value = strtod_l(terminated.c_str(), &end, cLocale());
    number.overflow = errno == ERANGE && std::isinf(number.value);
    number.length = static_cast<std::size_t>(end - terminated.c_str());
    return number;
}
