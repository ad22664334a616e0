#pragma once
// Angle units of the trigonometric functions. pi is taken to the precision in
// use plus guard digits, so conversions stay right at every digit count.

#include <string>

#include "number/Number.h"

enum AngleUnit : int { AngleDegrees = 0, AngleRadians = 1, AngleGrads = 2 };

// The stored setting as a unit: 1 radians, 2 grads, anything else degrees.
AngleUnit AngleUnitFromSetting(int setting);

// tan is undefined at odd multiples of 90 degrees or 100 grads (integers only).
bool IsTanUndefined(const Number& x, AngleUnit unit);

// What to compute for sin, cos or tan of an angle in degrees or grads: the
// same function or its co-function of the angle's distance from the nearest
// multiple of a quarter turn, in radians. Converted whole, an angle close to
// such a multiple would keep few digits of that distance.
struct TrigArgument {
    std::string function;     // "sin", "cos" or "tan", of `radians`
    Number radians;           // at most an eighth of a turn in magnitude
    bool negate = false;      // the result is minus that value
    bool reciprocal = false;  // the result is 1 over that value (tan)
};

// x in the unit -> radians, and back; radians pass unchanged. Keeps the pi it
// computed for the next conversion at the same or a lower precision; one
// thread at a time.
class CAngleConverter {
public:
    Number ToRadians(const Number& x, AngleUnit unit, int precision);
    Number FromRadians(const Number& x, AngleUnit unit, int precision);
    // name is "sin", "cos" or "tan"; unit is degrees or grads.
    TrigArgument ReduceTrigArgument(const std::string& name, const Number& x, AngleUnit unit, int precision);

private:
    const Number& Pi(int places);

    Number m_pi;
    int m_piPlaces = -1;
};
