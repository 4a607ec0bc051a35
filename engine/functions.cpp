#include "engine/functions.h"

#include "engine/calculator.h"
#include "engine/toint32.h"

#include <cmath>
#include <cstdint>

namespace {

using Engine = Calculator<double>;

// The library's range and domain errors are decided here, from the arguments
// and the result, by the C library's errno rules for each function: the
// libraries of other systems set errno for other cases or for none, and the
// answer must not depend on the system.
[[noreturn]] void domainError()
{
    throw Engine::illegal_error(Engine::illegalErrorMessage);
}
[[noreturn]] void rangeError()
{
    throw Engine::over_flow(Engine::overflowMessage);
}

// acos, asin: beyond 1 in magnitude, infinities included; not-a-number passes.
double inverseTrigonometric(double x, double (*function)(double))
{
    if (std::isgreater(std::fabs(x), 1.0))
        domainError();
    return function(x);
}

// cosh, sinh: an infinite result of a finite argument.
double hyperbolic(double x, double (*function)(double))
{
    const double result = function(x);
    if (std::isinf(result) && std::isfinite(x))
        rangeError();
    return result;
}

// Infinite or not-a-number operands report nothing. Otherwise a negative base
// with a fractional exponent is a domain error, and zero to a negative power,
// a result beyond the range or one that underflows to zero are range errors.
double power(double x, double y)
{
    const double result = std::pow(x, y);
    if (!std::isfinite(x) || !std::isfinite(y))
        return result;
    if (x < 0 && std::trunc(y) != y)
        domainError();
    const bool outOfRange = x == 0 ? y < 0 : std::isinf(result) || result == 0;
    if (outOfRange)
        rangeError();
    return result;
}

double argument(const Token* first)
{
    return first->value;
}

}  // namespace

double AbsFunction::compute(const Token* first, const Token*) const
{
    const auto n = static_cast<std::uint32_t>(toInt32(argument(first)));
    const std::uint32_t magnitude = (n & 0x80000000u) ? 0u - n : n;
    return static_cast<std::int32_t>(magnitude);
}

double AcosFunction::compute(const Token* first, const Token*) const
{
    return inverseTrigonometric(argument(first), [](double x) { return std::acos(x); });
}

double AsinFunction::compute(const Token* first, const Token*) const
{
    return inverseTrigonometric(argument(first), [](double x) { return std::asin(x); });
}

double CoshFunction::compute(const Token* first, const Token*) const
{
    return hyperbolic(argument(first), [](double x) { return std::cosh(x); });
}

double SinhFunction::compute(const Token* first, const Token*) const
{
    return hyperbolic(argument(first), [](double x) { return std::sinh(x); });
}

double CeilFunction::compute(const Token* first, const Token*) const
{
    return std::ceil(argument(first));
}
double FloorFunction::compute(const Token* first, const Token*) const
{
    return std::floor(argument(first));
}
double TanhFunction::compute(const Token* first, const Token*) const
{
    return std::tanh(argument(first));
}

double PowFunction::compute(const Token* first, const Token*) const
{
    return power(first[0].value, first[1].value);
}

double AtanFunction::compute(const Token* first, const Token*) const
{
    return std::atan2(argument(first), 1.0);
}

double CosFunction::compute(const Token* first, const Token*) const
{
    return std::cos(argument(first));
}

double ExpFunction::compute(const Token* first, const Token*) const
{
    return std::exp(argument(first));
}

double FabsFunction::compute(const Token* first, const Token*) const
{
    return std::fabs(argument(first));
}

double LogFunction::compute(const Token* first, const Token*) const
{
    return std::log(argument(first));
}

double Log10Function::compute(const Token* first, const Token*) const
{
    const double x = argument(first);
    if (x == 0 || std::isnan(x))
        domainError();
    return std::log10(x);
}

double SinFunction::compute(const Token* first, const Token*) const
{
    return std::sin(argument(first));
}

double SqrtFunction::compute(const Token* first, const Token*) const
{
    return std::sqrt(argument(first));
}

double TanFunction::compute(const Token* first, const Token*) const
{
    return std::tan(argument(first));
}

// The rules above test for infinities and not-a-number.
#if defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__
#error "the engine needs infinities and not-a-number: never build it with finite-only math"
#endif
