#pragma once
// Owner of the keypad host (the main frame): asked whether a calculation is
// running or being cancelled, while which the angle unit must not change, and
// told of each angle unit the user chooses (the owner passes it on to whoever
// keeps the setting).

class ICalcWindowParent {
public:
    virtual ~ICalcWindowParent() = default;
    virtual bool IsCalculating() = 0;
    virtual bool IsCancelPending() = 0;
    virtual void OnAngleChosen(int angle) = 0;  // 0 degrees, 1 radians, 2 grads
};
