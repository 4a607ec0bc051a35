#include "engine/calculator.h"

#include "engine/formatnumber.h"
#include "engine/functions.h"
#include "engine/operators.h"

#include <new>

namespace {

// Texts shorter than this need well under a megabyte; the budget is not asked.
constexpr std::size_t budgetedTextSize = 64 * 1024;

// What the evaluation may add between two checks (tokensPerMemoryCheck
// tokens: at most one and a half stack entries or a quarter of a new variable
// each) fits in this.
constexpr std::size_t slackBytes = 1 << 20;

// Bytes per entry, with the allocator's and the containers' overhead: an
// operand's deque block and its share of the block map; a pending operator's
// byte three times over while its vector moves to a larger block.
constexpr std::size_t operandBytes = 18;
constexpr std::size_t operatorBytes = 3;
// A map node of a new variable; the name's characters are counted apart.
constexpr std::size_t variableBytes = 160;

}  // namespace

template <class T>
Calculator<T>::Calculator()
{
    fillEscapes();
    registerOperators();
    registerFunctions();
    openParen = operatorIndex.find("(")->second;
    closeParen = operatorIndex.find(")")->second;
    comma = operatorIndex.find(",")->second;
}

template <class T>
Calculator<T>::~Calculator() = default;

template <class T>
void Calculator<T>::fillEscapes()
{
    const std::pair<char, int> table[] = {
        {'a', 7},  {'b', 8},  {'f', 12},  {'n', 10}, {'r', 13},  {'t', 9},
        {'v', 11}, {'?', 63}, {'\'', 39}, {'"', 34}, {'\\', 92}, {'0', 0},
    };
    for (const auto& [letter, code] : table)
        escapes.emplace(letter, code);
}

template <class T>
template <class Op>
void Calculator<T>::registerOperator(const char* name)
{
    const auto& entry = *operators.emplace(name, std::make_unique<Op>(this)).first;
    const auto index = static_cast<OperatorIndex>(operatorList.size());
    operatorList.push_back(entry.second.get());
    priorityOf.push_back(entry.second->priority());
    operatorIndex.emplace(name, index);
    if (entry.first.size() == 1)
        operatorIndexBySymbol[static_cast<unsigned char>(entry.first.front())] = index;
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
void Calculator<T>::setVariable(const std::string& name, const Variable& variable)
{
    variables[name] = variable;
}

template <class T>
void Calculator<T>::setMemoryBudget(std::function<std::size_t()> budget)
{
    memoryBudget = std::move(budget);
}

template <class T>
std::string Calculator<T>::calculate(std::string_view text, int mode)
{
    // The text is the caller's: the view must not outlive the call, and a
    // long text's working memory goes back before the caller sees the result.
    struct EndOfCall {
        Calculator& calculator;
        ~EndOfCall()
        {
            if (calculator.input.size() >= budgetedTextSize)
                calculator.releaseWorkingMemory();
            calculator.input = {};
        }
    };
    try {
        input = text;
        const EndOfCall endOfCall{*this};
        // Every scanning error, and the count of parentheses, before anything
        // is applied; tokens are not kept, nothing is allocated.
        evaluating = false;
        openingCount = closingCount = 0;
        longestName = nameBytes = 0;
        scanText();
        startMemoryAccount();

        const T value = evaluate();
        if (mode == 1)
            return "0x" + formatNumber(value, 16);
        return formatNumber(value, 10);
    } catch (const std::bad_alloc&) {
        throw memory_error(memoryErrorMessage);
    }
}

// Names are copied while they are evaluated: a variable's name to look it up,
// the two operands of "=", and the key of each new variable.
template <class T>
void Calculator<T>::startMemoryAccount()
{
    memoryLimit = 0;
    if (input.size() < budgetedTextSize)
        return;
    if (!spareOperandStack)
        spareOperandStack.emplace();
    if (!memoryBudget)
        return;
    const std::size_t budget = memoryBudget();
    fixedMemory = slackBytes + 2 * longestName + nameBytes;
    if (fixedMemory > budget)
        throw memory_error(memoryErrorMessage);
    memoryLimit = budget;
    variablesAtStart = variables.size();
    tokensUntilMemoryCheck = tokensPerMemoryCheck;
}

// Stacks shrink and grow during the call; what counts is what they hold now
// (the operator vector keeps its largest size) and what may come before the
// next check, which the slack covers.
template <class T>
void Calculator<T>::checkMemory() const
{
    const std::size_t newVariables = variables.size() - variablesAtStart;
    const std::size_t needed = fixedMemory + operandStack.size() * operandBytes
        + operatorStack.capacity() * operatorBytes + newVariables * variableBytes;
    if (needed > memoryLimit)
        throw memory_error(memoryErrorMessage);
}

template <class T>
void Calculator<T>::releaseWorkingMemory() noexcept
{
    std::vector<OperatorIndex>().swap(operatorStack);
    if (spareOperandStack) {
        operandStack.swap(*spareOperandStack);
        spareOperandStack.reset();
    } else {
        operandStack.clear();
    }
}

template <class T>
void Calculator<T>::scanText()
{
    finished = false;
    cursor = 0;
    // A leading sign subtracts from (or adds to) an implicit zero.
    if (!input.empty() && (input.front() == '+' || input.front() == '-'))
        takeNumber(0);
    nextChar();
    // No blank is skipped before the first token.
    do
        scanToken();
    while (!finished);
}

template class Calculator<double>;
