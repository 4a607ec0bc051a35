#include "engine/calculator.h"

#include <algorithm>
#include <cerrno>

namespace {

// No operator or function of the table takes more operands than this.
constexpr int maxOperands = 2;

bool isOperatorText(const Token& token, const char* text)
{
    return token.kind == TokenKind::Operator && token.text == text;
}

}  // namespace

template <class T>
const Operator* Calculator<T>::findOperator(const std::string& text) const
{
    if (text.size() == 1) {
        const auto symbol = static_cast<unsigned char>(text.front());
        if (symbol < operatorsBySymbol.size() && operatorsBySymbol[symbol])
            return operatorsBySymbol[symbol];
    }
    const auto entry = operators.find(text);
    return entry == operators.end() ? nullptr : entry->second.get();
}

// Only for tokens already on the operator stack, which are known operators.
template <class T>
const Operator& Calculator<T>::operatorFor(const std::string& text) const
{
    return *findOperator(text);
}

template <class T>
T Calculator<T>::evaluate()
{
    operandStack.clear();
    operatorStack.clear();

    const auto opening = std::count_if(tokens.begin(), tokens.end(),
                                       [](const Token& t) { return t.text == "("; });
    const auto closing = std::count_if(tokens.begin(), tokens.end(),
                                       [](const Token& t) { return t.text == ")"; });
    if (opening != closing)
        throw syntax_error(syntaxErrorMessage);

    for (const Token& token : tokens) {
        switch (token.kind) {
        case TokenKind::Number:
            operandStack.push_back(token);
            break;
        case TokenKind::Name:
            if (const Operator* function = findOperator(token.text)) {
                makeRoomFor(*function);
                operatorStack.push_back(token);
            } else {
                pushOperand(token);
            }
            break;
        case TokenKind::Operator: {
            const Operator* incoming = findOperator(token.text);
            if (!incoming)
                throw syntax_error(syntaxErrorMessage);
            makeRoomFor(*incoming);
            if (token.text != ")") {
                operatorStack.push_back(token);
            } else if (operatorStack.empty()) {
                throw syntax_error(syntaxErrorMessage);
            } else {
                operatorStack.pop_back();  // the matching "("
            }
            break;
        }
        }
    }
    while (!operatorStack.empty())
        operandStack.push_back(reduce());

    if (operandStack.empty())
        throw syntax_error(syntaxErrorMessage);
    const T value = operandStack.back().value;
    operandStack.pop_back();
    if (!operandStack.empty())
        throw syntax_error(syntaxErrorMessage);
    return value;
}

// A variable is read when the evaluation reaches its name; an undefined name
// reads as 0 and is not created.
template <class T>
void Calculator<T>::pushOperand(const Token& name)
{
    const auto entry = variables.find(name.text);
    const double value = entry == variables.end() ? 0 : entry->second.value;
    operandStack.push_back(Token{name.text, value, TokenKind::Name});
}

// Equal priorities reduce the stacked operator first: everything associates
// to the left.
template <class T>
void Calculator<T>::makeRoomFor(const Operator& incoming)
{
    while (!operatorStack.empty()) {
        const Token& top = operatorStack.back();
        if (incoming.priority() > operatorFor(top.text).priority())
            return;
        if (top.text == "(")
            return;
        operandStack.push_back(reduce());
    }
}

template <class T>
Token Calculator<T>::reduce()
{
    Token op = std::move(operatorStack.back());
    operatorStack.pop_back();

    // The comma applies nothing: it leaves its operand for a function to take.
    if (isOperatorText(op, ",")) {
        if (operandStack.empty())
            throw syntax_error(syntaxErrorMessage);
        Token passed = std::move(operandStack.back());
        operandStack.pop_back();
        return passed;
    }

    const Operator& applied = operatorFor(op.text);
    Token operands[maxOperands];
    int taken = 0;
    while (taken < applied.operandCount() && taken < maxOperands) {
        if (operandStack.empty())
            throw syntax_error(syntaxErrorMessage);
        operands[taken++] = std::move(operandStack.back());
        operandStack.pop_back();
    }
    std::reverse(operands, operands + taken);

    // Volatile, so that no optimisation moves the accesses across the call.
    volatile int& error = errno;
    error = 0;
    const double result = applied.compute(operands, operands + taken);
    const int reported = error;
    if (reported == ERANGE)
        throw over_flow(overflowMessage);
    if (reported == EDOM)
        throw illegal_error(illegalErrorMessage);
    return Token{{}, result, TokenKind::Number};
}

template const Operator* Calculator<double>::findOperator(const std::string&) const;
template const Operator& Calculator<double>::operatorFor(const std::string&) const;
template double Calculator<double>::evaluate();
template void Calculator<double>::pushOperand(const Token&);
template void Calculator<double>::makeRoomFor(const Operator&);
template Token Calculator<double>::reduce();
