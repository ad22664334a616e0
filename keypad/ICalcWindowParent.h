#pragma once
// Owner of the keypad host (the main frame): asked whether a calculation is
// running or being cancelled, while which the angle unit must not change.

class ICalcWindowParent {
public:
    virtual ~ICalcWindowParent() = default;
    virtual bool IsCalculating() = 0;
    virtual bool IsCancelPending() = 0;
};
