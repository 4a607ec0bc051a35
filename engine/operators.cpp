#include "engine/operators.h"

#include "engine/calculator.h"
#include "engine/toint32.h"

#include <cmath>
#include <cstdint>

namespace {

using Engine = Calculator<double>;

double left(const Token* first)
{
    return first[0].value;
}
double right(const Token* first)
{
    return first[1].value;
}

}  // namespace

double OpenParenOperator::compute(const Token*, const Token*) const
{
    return 0;
}
double CloseParenOperator::compute(const Token*, const Token*) const
{
    return 0;
}
double CommaOperator::compute(const Token*, const Token*) const
{
    return 0;
}

double ComplementOperator::compute(const Token* first, const Token*) const
{
    return ~toInt32(left(first));
}

double MultiplyOperator::compute(const Token* first, const Token*) const
{
    return left(first) * right(first);
}

double DivideOperator::compute(const Token* first, const Token*) const
{
    const double divisor = right(first);
    if (divisor == 0 || std::isnan(divisor))
        throw Engine::division_by_zero(Engine::divisionByZeroMessage);
    return left(first) / divisor;
}

double RemainderOperator::compute(const Token* first, const Token*) const
{
    const std::int32_t dividend = toInt32(left(first));
    const std::int32_t divisor = toInt32(right(first));
    if (divisor == 0)
        throw Engine::division_by_zero(Engine::divisionByZeroMessage);
    // INT32_MIN % -1 traps on x86; its exact remainder is 0.
    if (divisor == -1)
        return 0;
    return dividend % divisor;
}

double PlusOperator::compute(const Token* first, const Token*) const
{
    return left(first) + right(first);
}

double MinusOperator::compute(const Token* first, const Token*) const
{
    return left(first) - right(first);
}

double AndOperator::compute(const Token* first, const Token*) const
{
    return toInt32(left(first)) & toInt32(right(first));
}

double OrOperator::compute(const Token* first, const Token*) const
{
    return toInt32(left(first)) | toInt32(right(first));
}

double XorOperator::compute(const Token* first, const Token*) const
{
    return toInt32(left(first)) ^ toInt32(right(first));
}

double AssignOperator::compute(const Token* first, const Token*) const
{
    if (first[0].kind != TokenKind::Name)
        throw Engine::syntax_error(Engine::syntaxErrorMessage);
    owner->setVariable(first[0].text, Variable{right(first), {}});
    return right(first);
}
