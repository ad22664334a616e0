#include "engine/AngleConversion.h"

#include "port/ArithRoutines.h"

namespace {

constexpr int kGuardDigits = 10;

// Degrees or grads in a half turn.
Number HalfTurn(AngleUnit unit) { return Number(unit == AngleGrads ? 200 : 180); }
Number QuarterTurn(AngleUnit unit) { return Number(unit == AngleGrads ? 100 : 90); }

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
    const Number quarter = QuarterTurn(unit);
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
    // Large angles come here already reduced (ReduceTrigArgument), so their
    // fraction of a turn keeps its digits.
    const Number half = HalfTurn(unit);
    const int places = RulePlaces(x, half, precision) + kGuardDigits;
    return x.divide(half, places) * Pi(places).round(places);
}

Number CAngleConverter::FromRadians(const Number& x, AngleUnit unit, int precision) {
    if (unit == AngleRadians)
        return x;
    const int places = RulePlaces(x, precision);
    return x.divide(Pi(places + kGuardDigits).round(places + kGuardDigits), places) * HalfTurn(unit);
}

TrigArgument CAngleConverter::ReduceTrigArgument(const std::string& name, const Number& x, AngleUnit unit,
                                                 int precision) {
    // x = turns * quarter + rest exactly, with |rest| at most half a quarter.
    const Number quarter = QuarterTurn(unit);
    Number turns = x.integer_divide(quarter);
    Number rest = x - turns * quarter;
    if ((rest * Number(2)).abs() > quarter) {
        const Number step(rest.sign());
        turns += step;
        rest -= quarter * step;
    }
    const auto remainder = turns.remainder(Number(4)).to_int64();
    const int quarters = static_cast<int>((remainder.value_or(0) % 4 + 4) % 4);
    const bool odd = quarters % 2 == 1;

    TrigArgument argument;
    argument.radians = ToRadians(rest, unit, precision);
    if (name == "tan") {
        // tan(q + r) = -1 / tan r
        argument.function = "tan";
        argument.reciprocal = odd;
        argument.negate = odd;
    } else if (name == "sin") {
        // sin r, cos r, -sin r, -cos r
        argument.function = odd ? "cos" : "sin";
        argument.negate = quarters >= 2;
    } else {
        // cos r, -sin r, -cos r, sin r
        argument.function = odd ? "sin" : "cos";
        argument.negate = quarters == 1 || quarters == 2;
    }
    return argument;
}
