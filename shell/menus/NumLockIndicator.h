#pragma once
// Num Lock as the X keyboard extension reports its indicator, where the
// program runs on X (the xcb platform); elsewhere it is reported off.

#include "shell/menus/MenuState.h"

class CNumLockIndicator final : public INumLockIndicator {
public:
    bool IsNumLockOn() const override;
};
