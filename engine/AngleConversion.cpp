#include "engine/AngleConversion.h"

#include "engine/ArithRoutines.h"

namespace {

constexpr int kGuardDigits = 10;

// Degrees or grads in a half turn.
Number HalfTurn(AngleUnit unit) { return Number(unit == AngleGrads ? 200 : 180); }

}  // namespace

AngleUnit AngleUnitFromSetting(int setting) {
    if (setting == AngleRadians)
        return AngleRadians;
    if (setting == AngleGrads)
        return AngleGrads;
    return AngleDegrees;
}

bool IsTanUndefined(const Number& x, AngleUnit unit) {
    if (unit == AngleRadians || !x.is_integer())
        return false;
    const Number half = HalfTurn(unit);
    const Number quarter = unit == AngleGrads ? Number(100) : Number(90);
    return x.remainder(quarter).is_zero() && !x.remainder(half).is_zero();
}

const Number& CAngleConverter::Pi(int places) {
    if (m_piPlaces < places) {
        m_pi = Number::pi(places);
        m_piPlaces = places;
    }
    return m_pi;
}

Number CAngleConverter::ToRadians(const Number& x, AngleUnit unit, int precision) {
    if (unit == AngleRadians)
        return x;
    const Number half = HalfTurn(unit);
    // Whole turns are taken off exactly first: converted as they stand, the
    // digits of a large angle would leave none for its fraction of a turn.
    const Number turn = half * Number(2);
    const Number angle = x.abs() < turn ? x : x.remainder(turn);
    const int places = RulePlaces(angle, half, precision) + kGuardDigits;
    return angle.divide(half, places) * Pi(places).round(places);
}

Number CAngleConverter::FromRadians(const Number& x, AngleUnit unit, int precision) {
    if (unit == AngleRadians)
        return x;
    const int places = RulePlaces(x, precision);
    return x.divide(Pi(places + kGuardDigits).round(places + kGuardDigits), places) * HalfTurn(unit);
}
