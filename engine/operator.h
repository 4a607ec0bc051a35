#pragma once
#include "engine/token.h"

template <class T>
class Calculator;

// An operator or built-in function of the engine. The evaluation knows only
// these three questions; what "(", ")" and "," mean is decided there.
class Operator {
public:
    explicit Operator(Calculator<double>* calculator) : owner(calculator) {}
    virtual ~Operator() = default;

    Operator(const Operator&) = delete;
    Operator& operator=(const Operator&) = delete;

    // Larger binds tighter.
    virtual int priority() const = 0;
    // How many operands the evaluation pops before calling compute.
    virtual int operandCount() const = 0;
    // The operands from first to last (exclusive) in source order. Range and
    // domain errors are thrown here, never left in errno.
    virtual double compute(const Token* first, const Token* last) const = 0;

protected:
    Calculator<double>* owner;  // not owned; only "=" uses it
};
