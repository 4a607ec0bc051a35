#pragma once
#include "engine/operator.h"

// Each operator and function is its own class that answers with constants
// except in compute; this keeps the thirty-one declarations to one line each.
#define ORRIN_OPERATOR_CLASS(ClassName, priorityValue, operands)              \
    class ClassName final : public Operator {                                 \
    public:                                                                   \
        using Operator::Operator;                                             \
        int priority() const override { return priorityValue; }               \
        int operandCount() const override { return operands; }                \
        double compute(const Token* first, const Token* last) const override; \
    };

ORRIN_OPERATOR_CLASS(OpenParenOperator, 11, 0)
ORRIN_OPERATOR_CLASS(ComplementOperator, 8, 1)
ORRIN_OPERATOR_CLASS(MultiplyOperator, 7, 2)
ORRIN_OPERATOR_CLASS(DivideOperator, 7, 2)
ORRIN_OPERATOR_CLASS(RemainderOperator, 6, 2)
ORRIN_OPERATOR_CLASS(PlusOperator, 5, 2)
ORRIN_OPERATOR_CLASS(MinusOperator, 5, 2)
ORRIN_OPERATOR_CLASS(AndOperator, 4, 2)
ORRIN_OPERATOR_CLASS(OrOperator, 4, 2)
ORRIN_OPERATOR_CLASS(XorOperator, 4, 2)
ORRIN_OPERATOR_CLASS(CommaOperator, 3, 0)
ORRIN_OPERATOR_CLASS(AssignOperator, 2, 2)
ORRIN_OPERATOR_CLASS(CloseParenOperator, 1, 0)
