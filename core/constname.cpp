#include "core/constname.h"

namespace {

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool isCapital(unsigned char c)
{
    return c >= 'A' && c <= 'Z';
}

}  // namespace

ConstNameCheck checkConstName(const std::string& name)
{
    if (!name.empty() && isDigit(static_cast<unsigned char>(name.front())))
        return ConstNameCheck::LeadingDigit;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (!isDigit(byte) && !isCapital(byte))
            return ConstNameCheck::BadCharacter;
    }
    return ConstNameCheck::Ok;
}
