#pragma once
// Owner of a keypad button: told when the pointer enters a button (its current
// command id) and when it leaves (0).

class ICalcBtnParent {
public:
    virtual ~ICalcBtnParent() = default;
    virtual void ShowCommandHelp(unsigned commandId) = 0;
};

// Owner of the button manager (the keypad host), told the same.
class ICalcBtnMgrParent {
public:
    virtual ~ICalcBtnMgrParent() = default;
    virtual void ShowCommandHelp(unsigned commandId) = 0;
};
