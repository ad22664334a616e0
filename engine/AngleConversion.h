#pragma once
// Angle units of the trigonometric functions. pi is taken to the precision in
// use plus guard digits, so conversions stay right at every digit count.

#include "number/Number.h"

enum AngleUnit : int { AngleDegrees = 0, AngleRadians = 1, AngleGrads = 2 };

// The stored setting as a unit: 1 radians, 2 grads, anything else degrees.
AngleUnit AngleUnitFromSetting(int setting);

// tan is undefined at odd multiples of 90 degrees or 100 grads (integers only).
bool IsTanUndefined(const Number& x, AngleUnit unit);

// x in the unit -> radians, and back; radians pass unchanged.
Number AngleToRadians(const Number& x, AngleUnit unit, int precision);
Number RadiansToAngle(const Number& x, AngleUnit unit, int precision);
