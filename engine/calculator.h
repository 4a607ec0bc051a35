#pragma once
#include "engine/myexception.h"
#include "engine/operator.h"
#include "engine/token.h"
#include "engine/variable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The expression engine. One public entry, calculate, which scans the whole
// text, evaluates it and formats the value; errors are thrown as the nested
// classes below, all derived from myexception. Only `variables` survives from
// one call to the next; assignments made before an error stay in effect.
// Scanning and evaluation are iterative, so input length is bounded only by
// memory. Used with T = double only.
//
// Memory. The text is scanned twice and never held as a token list: a first
// pass raises every scanning error and counts the parentheses before anything
// is applied, the second feeds each token straight to the evaluation. What an
// evaluation holds beyond the caller's text is its two stacks (an operand is
// 16 bytes, a pending operator 1), copies of names and new variables. An
// operand takes at least one byte of text and "(-" makes three entries of two
// bytes, so the stacks stay below 18 bytes per byte of text whatever its
// shape. A text too large for memory ends in memory_error, never in a crash:
// before a long text is evaluated, and at intervals while it is, the engine
// compares what it will need with the budget its owner gives
// (setMemoryBudget); a failed allocation anywhere in calculate becomes
// memory_error too. Working memory taken for a long text is given back before
// calculate returns.
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
    // Throws memory_error when the text needs more memory than there is.
    std::string calculate(std::string_view input, int mode);

    // `budget` answers how many more bytes this process may allocate now
    // (availableMemory() in platform/availablememory.h). Asked once per call, and
    // only for texts long enough to matter; without a budget only a failed
    // allocation reports a lack of memory.
    void setMemoryBudget(std::function<std::size_t()> budget);

    // Creates the entry if needed, then sets both of its fields.
    void setVariable(const std::string& name, const Variable& variable);

    VariableMap variables;

private:
    // An operand: a literal, an intermediate result, or a variable read by
    // name, which "=" needs as a name again: it is kept as its place in the
    // text rather than as a copy.
    struct Operand {
        double value;
        std::size_t nameAt;  // position of the name in `input` plus one; 0 for a number
    };
    // Operators and functions by their place in operatorList.
    using OperatorIndex = std::uint8_t;

    std::map<std::string, std::unique_ptr<Operator>> operators;
    std::map<char, int> escapes;
    bool finished = false;
    std::string_view input;  // the caller's text, during a call only
    std::size_t cursor = 0;
    char current = '\0';
    bool evaluating = false;  // false in the first scanning pass
    std::size_t openingCount = 0;
    std::size_t closingCount = 0;
    std::size_t longestName = 0;
    std::size_t nameBytes = 0;
    std::vector<OperatorIndex> operatorStack;
    // A deque grows without copying what it holds, so a deep stack never
    // needs twice its size at once.
    std::deque<Operand> operandStack;
    // Exchanged for a long text's operand stack at the end of the call, so
    // that giving that memory back allocates nothing even when none is left
    // (an empty deque allocates); built again when the next long text starts.
    std::optional<std::deque<Operand>> spareOperandStack;

    // The evaluation asks these several times per token; walking the
    // string-keyed map compared strings for most of its time.
    std::vector<const Operator*> operatorList;
    std::vector<int> priorityOf;
    std::map<std::string, OperatorIndex, std::less<>> operatorIndex;
    std::array<OperatorIndex, 128> operatorIndexBySymbol{};
    OperatorIndex openParen = 0;
    OperatorIndex closeParen = 0;
    OperatorIndex comma = 0;

    static constexpr std::size_t tokensPerMemoryCheck = 4096;
    std::function<std::size_t()> memoryBudget;
    std::size_t memoryLimit = 0;  // for the current call; 0: unchecked
    std::size_t fixedMemory = 0;
    std::size_t variablesAtStart = 0;
    std::size_t tokensUntilMemoryCheck = 0;

    void nextChar();
    void scanText();
    void scanToken();
    void scanLiteral();
    void scanOperator();
    void scanName();
    void scanCharLiteral();
    void scanNumber();
    void skipBlanks();

    void takeNumber(double value);
    void takeOperator(char symbol);
    void takeName(std::size_t begin, std::size_t end);
    void noteToken();

    T evaluate();
    void reduce();
    void makeRoomFor(OperatorIndex incoming);
    Token operandToken(const Operand& operand) const;

    void startMemoryAccount();
    void checkMemory() const;
    void releaseWorkingMemory() noexcept;

    template <class Op>
    void registerOperator(const char* name);
    void registerOperators();
    void registerFunctions();
    void fillEscapes();
};
