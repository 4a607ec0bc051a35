#include "engine/functions.h"

#include "engine/calculator.h"
#include "engine/toint32.h"

#include <cerrno>
#include <cmath>
#include <cstdint>

namespace {

using Engine = Calculator<double>;

// The evaluation turns errno into errors, so functions that report nothing
// must leave it as they found it, whatever glibc does for their argument.
// GCC treats the math builtins as touching no memory and would drop or move
// the restoring store; the volatile accesses pin the order read, call, write.
template <class Function>
double withoutErrno(double x, Function function)
{
    volatile int& error = errno;
    const int saved = error;
    volatile double argument = x;
    volatile double result = function(argument);
    error = saved;
    return result;
}

double argument(const Token* first) { return first->value; }

}  // namespace

double AbsFunction::compute(const Token* first, const Token*) const
{
    const auto n = static_cast<std::uint32_t>(toInt32(argument(first)));
    const std::uint32_t magnitude = (n & 0x80000000u) ? 0u - n : n;
    return static_cast<std::int32_t>(magnitude);
}

double AcosFunction::compute(const Token* first, const Token*) const { return std::acos(argument(first)); }
double AsinFunction::compute(const Token* first, const Token*) const { return std::asin(argument(first)); }
double CeilFunction::compute(const Token* first, const Token*) const { return std::ceil(argument(first)); }
double CoshFunction::compute(const Token* first, const Token*) const { return std::cosh(argument(first)); }
double FloorFunction::compute(const Token* first, const Token*) const { return std::floor(argument(first)); }
double SinhFunction::compute(const Token* first, const Token*) const { return std::sinh(argument(first)); }
double TanhFunction::compute(const Token* first, const Token*) const { return std::tanh(argument(first)); }

double PowFunction::compute(const Token* first, const Token*) const
{
    return std::pow(first[0].value, first[1].value);
}

double AtanFunction::compute(const Token* first, const Token*) const
{
    return withoutErrno(argument(first), [](double x) { return std::atan2(x, 1.0); });
}

double CosFunction::compute(const Token* first, const Token*) const
{
    return withoutErrno(argument(first), [](double x) { return std::cos(x); });
}

double ExpFunction::compute(const Token* first, const Token*) const
{
    return withoutErrno(argument(first), [](double x) { return std::exp(x); });
}

double FabsFunction::compute(const Token* first, const Token*) const
{
    return std::fabs(argument(first));
}

double LogFunction::compute(const Token* first, const Token*) const
{
    return withoutErrno(argument(first), [](double x) { return std::log(x); });
}

double Log10Function::compute(const Token* first, const Token*) const
{
    const double x = argument(first);
    if (x == 0 || std::isnan(x))
        throw Engine::illegal_error(Engine::illegalErrorMessage);
    return withoutErrno(x, [](double v) { return std::log10(v); });
}

double SinFunction::compute(const Token* first, const Token*) const
{
    return withoutErrno(argument(first), [](double x) { return std::sin(x); });
}

double SqrtFunction::compute(const Token* first, const Token*) const
{
    return withoutErrno(argument(first), [](double x) { return std::sqrt(x); });
}

double TanFunction::compute(const Token* first, const Token*) const
{
    return withoutErrno(argument(first), [](double x) { return std::tan(x); });
}

static_assert(math_errhandling & MATH_ERRNO,
              "the engine reads errno after math calls: never build without errno reporting");
