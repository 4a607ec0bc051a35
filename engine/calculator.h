#pragma once
#include "engine/myexception.h"
#include "engine/operator.h"
#include "engine/token.h"
#include "engine/variable.h"

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The expression engine. One public entry, calculate, which scans the whole
// text, evaluates it and formats the value; errors are thrown as the nested
// classes below, all derived from myexception. Only `variables` survives from
// one call to the next; assignments made before an error stay in effect.
// Scanning and evaluation are iterative, so input length is bounded only by
// memory. Used with T = double only.
template <class T>
class Calculator {
public:
    class syntax_error : public myexception {
    public:
        explicit syntax_error(const std::string& message) : myexception(message) {}
    };
    class division_by_zero : public myexception {
    public:
        explicit division_by_zero(const std::string& message) : myexception(message) {}
    };
    class illegal_error : public myexception {
    public:
        explicit illegal_error(const std::string& message) : myexception(message) {}
    };
    class over_flow : public myexception {
    public:
        explicit over_flow(const std::string& message) : myexception(message) {}
    };

    static constexpr const char* syntaxErrorMessage = "Syntax error.";
    static constexpr const char* divisionByZeroMessage = "Division by zero.";
    static constexpr const char* illegalErrorMessage = "Illegal error.";
    static constexpr const char* overflowMessage = "Overflow.";

    Calculator();
    virtual ~Calculator();
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // mode 1: hexadecimal result with the prefix "0x"; any other mode: decimal.
    std::string calculate(const std::string& input, int mode);

    // Creates the entry if needed, then sets both of its fields.
    void setVariable(const std::string& name, const Variable& variable);

    VariableMap variables;

private:
    std::map<std::string, std::unique_ptr<Operator>> operators;
    std::map<char, int> escapes;
    bool finished = false;
    std::string input;
    std::size_t cursor = 0;
    char current = '\0';
    std::vector<Token> tokens;
    std::vector<Token> operandStack;
    std::vector<Token> operatorStack;

    // An index of `operators` by operator character, filled once in the
    // constructor: the evaluation looks operators up several times per token,
    // and walking the map compared strings for most of its time.
    std::array<const Operator*, 128> operatorsBySymbol{};

    void nextChar();
    void scanToken();
    void scanLiteral();
    void scanOperator();
    void scanName();
    void scanCharLiteral();
    void scanNumber();
    void skipBlanks();

    T evaluate();
    Token reduce();
    void makeRoomFor(const Operator& incoming);
    void pushOperand(const Token& name);
    const Operator* findOperator(const std::string& text) const;
    const Operator& operatorFor(const std::string& text) const;
    void indexOperatorsBySymbol();

    template <class Op>
    void registerOperator(const char* name);
    void registerOperators();
    void registerFunctions();
    void fillEscapes();
};
