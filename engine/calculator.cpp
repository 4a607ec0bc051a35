#include "engine/calculator.h"

#include "engine/formatnumber.h"
#include "engine/functions.h"
#include "engine/operators.h"

template <class T>
Calculator<T>::Calculator()
{
    fillEscapes();
    registerOperators();
    registerFunctions();
    indexOperatorsBySymbol();
}

template <class T>
Calculator<T>::~Calculator() = default;

template <class T>
void Calculator<T>::fillEscapes()
{
    const std::pair<char, int> table[] = {
        {'a', 7}, {'b', 8}, {'f', 12}, {'n', 10}, {'r', 13}, {'t', 9},
        {'v', 11}, {'?', 63}, {'\'', 39}, {'"', 34}, {'\\', 92}, {'0', 0},
    };
    for (const auto& [letter, code] : table)
        escapes.emplace(letter, code);
}

template <class T>
template <class Op>
void Calculator<T>::registerOperator(const char* name)
{
    operators.emplace(name, std::make_unique<Op>(this));
}

template <class T>
void Calculator<T>::registerOperators()
{
    registerOperator<PlusOperator>("+");
    registerOperator<MinusOperator>("-");
    registerOperator<MultiplyOperator>("*");
    registerOperator<DivideOperator>("/");
    registerOperator<RemainderOperator>("%");
    registerOperator<ComplementOperator>("~");
    registerOperator<AndOperator>("&");
    registerOperator<OrOperator>("|");
    registerOperator<XorOperator>("^");
    registerOperator<OpenParenOperator>("(");
    registerOperator<CloseParenOperator>(")");
    registerOperator<CommaOperator>(",");
    registerOperator<AssignOperator>("=");
}

template <class T>
void Calculator<T>::registerFunctions()
{
    registerOperator<AbsFunction>("abs");
    registerOperator<AcosFunction>("acos");
    registerOperator<AsinFunction>("asin");
    registerOperator<AtanFunction>("atan");
    registerOperator<CeilFunction>("ceil");
    registerOperator<CosFunction>("cos");
    registerOperator<CoshFunction>("cosh");
    registerOperator<ExpFunction>("exp");
    registerOperator<FabsFunction>("fabs");
    registerOperator<FloorFunction>("floor");
    registerOperator<LogFunction>("log");
    registerOperator<Log10Function>("log10");
    registerOperator<PowFunction>("pow");
    registerOperator<SinFunction>("sin");
    registerOperator<SinhFunction>("sinh");
    registerOperator<SqrtFunction>("sqrt");
    registerOperator<TanFunction>("tan");
    registerOperator<TanhFunction>("tanh");
}

template <class T>
void Calculator<T>::indexOperatorsBySymbol()
{
    for (const auto& [name, op] : operators) {
        const auto symbol = static_cast<unsigned char>(name.front());
        if (name.size() == 1 && symbol < operatorsBySymbol.size())
            operatorsBySymbol[symbol] = op.get();
    }
}

template <class T>
void Calculator<T>::setVariable(const std::string& name, const Variable& variable)
{
    variables[name] = variable;
}

template <class T>
std::string Calculator<T>::calculate(const std::string& text, int mode)
{
    finished = false;
    input = text;
    cursor = 0;
    tokens.clear();
    // A leading sign subtracts from (or adds to) an implicit zero.
    if (!input.empty() && (input.front() == '+' || input.front() == '-'))
        tokens.push_back(Token{});
    nextChar();
    // No blank is skipped before the first token.
    do
        scanToken();
    while (!finished);

    const T value = evaluate();
    if (mode == 1)
        return "0x" + formatNumber(value, 16);
    return formatNumber(value, 10);
}

template class Calculator<double>;
