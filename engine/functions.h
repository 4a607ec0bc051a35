#pragma once
#include "engine/operators.h"

// The built-in functions: prefix operators of priority 9, one operand each
// except pow. Angles are in radians.
ORRIN_OPERATOR_CLASS(AbsFunction, 9, 1)
ORRIN_OPERATOR_CLASS(AcosFunction, 9, 1)
ORRIN_OPERATOR_CLASS(AsinFunction, 9, 1)
ORRIN_OPERATOR_CLASS(AtanFunction, 9, 1)
ORRIN_OPERATOR_CLASS(CeilFunction, 9, 1)
ORRIN_OPERATOR_CLASS(CosFunction, 9, 1)
ORRIN_OPERATOR_CLASS(CoshFunction, 9, 1)
ORRIN_OPERATOR_CLASS(ExpFunction, 9, 1)
ORRIN_OPERATOR_CLASS(FabsFunction, 9, 1)
ORRIN_OPERATOR_CLASS(FloorFunction, 9, 1)
ORRIN_OPERATOR_CLASS(LogFunction, 9, 1)
ORRIN_OPERATOR_CLASS(Log10Function, 9, 1)
ORRIN_OPERATOR_CLASS(PowFunction, 9, 2)
ORRIN_OPERATOR_CLASS(SinFunction, 9, 1)
ORRIN_OPERATOR_CLASS(SinhFunction, 9, 1)
ORRIN_OPERATOR_CLASS(SqrtFunction, 9, 1)
ORRIN_OPERATOR_CLASS(TanFunction, 9, 1)
ORRIN_OPERATOR_CLASS(TanhFunction, 9, 1)
