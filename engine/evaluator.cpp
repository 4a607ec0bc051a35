#include "engine/calculator.h"

#include "engine/charclass.h"

#include <algorithm>

namespace {

// No operator or function of the table takes more operands than this.
constexpr int maxOperands = 2;

constexpr std::size_t noName = 0;

}  // namespace

template <class T>
T Calculator<T>::evaluate()
{
    operandStack.clear();
    operatorStack.clear();
    if (openingCount != closingCount)
        throw syntax_error(syntaxErrorMessage);

    // The second pass: each token is applied as it is scanned.
    evaluating = true;
    scanText();
    while (!operatorStack.empty())
        reduce();

    if (operandStack.empty())
        throw syntax_error(syntaxErrorMessage);
    const T value = operandStack.back().value;
    operandStack.pop_back();
    if (!operandStack.empty())
        throw syntax_error(syntaxErrorMessage);
    return value;
}

template <class T>
void Calculator<T>::noteToken()
{
    if (memoryLimit != 0 && --tokensUntilMemoryCheck == 0) {
        tokensUntilMemoryCheck = tokensPerMemoryCheck;
        checkMemory();
    }
}

template <class T>
void Calculator<T>::takeNumber(double value)
{
    if (!evaluating)
        return;
    noteToken();
    operandStack.push_back(Operand{value, noName});
}

template <class T>
void Calculator<T>::takeOperator(char symbol)
{
    if (!evaluating) {
        openingCount += symbol == '(';
        closingCount += symbol == ')';
        return;
    }
    noteToken();
    // The scanner hands over only the characters of the table.
    const OperatorIndex incoming = operatorIndexBySymbol[static_cast<unsigned char>(symbol)];
    makeRoomFor(incoming);
    if (incoming != closeParen)
        operatorStack.push_back(incoming);
    else if (operatorStack.empty())
        throw syntax_error(syntaxErrorMessage);
    else
        operatorStack.pop_back();  // the matching "("
}

// A name is a function when the table has it. A variable is read when the
// evaluation reaches its name; an undefined name reads as 0 and is not created.
template <class T>
void Calculator<T>::takeName(std::size_t begin, std::size_t end)
{
    if (!evaluating) {
        longestName = std::max(longestName, end - begin);
        nameBytes += end - begin;
        return;
    }
    noteToken();
    const std::string_view name = input.substr(begin, end - begin);
    const auto function = operatorIndex.find(name);
    if (function != operatorIndex.end()) {
        makeRoomFor(function->second);
        operatorStack.push_back(function->second);
        return;
    }
    const auto entry = variables.find(std::string(name));
    const double value = entry == variables.end() ? 0 : entry->second.value;
    operandStack.push_back(Operand{value, begin + 1});
}

// Equal priorities reduce the stacked operator first: everything associates
// to the left.
template <class T>
void Calculator<T>::makeRoomFor(OperatorIndex incoming)
{
    while (!operatorStack.empty()) {
        const OperatorIndex top = operatorStack.back();
        if (priorityOf[incoming] > priorityOf[top])
            return;
        if (top == openParen)
            return;
        reduce();
    }
}

// A name operand is handed to the operator as a name token again.
template <class T>
Token Calculator<T>::operandToken(const Operand& operand) const
{
    if (operand.nameAt == noName)
        return Token{{}, operand.value, TokenKind::Number};
    const std::size_t begin = operand.nameAt - 1;
    std::size_t end = begin;
    while (end < input.size() && charclass::isAlphanumeric(input[end]))
        ++end;
    return Token{std::string(input.substr(begin, end - begin)), operand.value, TokenKind::Name};
}

// Applies the operator on top of the operator stack, replacing its operands
// on the operand stack with the result.
template <class T>
void Calculator<T>::reduce()
{
    const OperatorIndex op = operatorStack.back();
    operatorStack.pop_back();

    // The comma applies nothing: it leaves its operand for a function to take.
    if (op == comma) {
        if (operandStack.empty())
            throw syntax_error(syntaxErrorMessage);
        return;
    }

    const Operator& applied = *operatorList[op];
    Token operands[maxOperands];
    int taken = 0;
    while (taken < applied.operandCount() && taken < maxOperands) {
        if (operandStack.empty())
            throw syntax_error(syntaxErrorMessage);
        operands[taken++] = operandToken(operandStack.back());
        operandStack.pop_back();
    }
    std::reverse(operands, operands + taken);

    const double result = applied.compute(operands, operands + taken);
    operandStack.push_back(Operand{result, noName});
}

template double Calculator<double>::evaluate();
template void Calculator<double>::noteToken();
template void Calculator<double>::takeNumber(double);
template void Calculator<double>::takeOperator(char);
template void Calculator<double>::takeName(std::size_t, std::size_t);
template void Calculator<double>::makeRoomFor(OperatorIndex);
template Token Calculator<double>::operandToken(const Operand&) const;
template void Calculator<double>::reduce();
