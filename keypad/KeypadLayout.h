#pragma once
// The keypad's fixed geometry: 34 x 27 cells at a pitch of 38 x 31 in two
// blocks, from an origin (x, y) in the host's client coordinates.

#include <array>

#include "keypad/KeypadCommands.h"

struct KeypadRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const KeypadRect&, const KeypadRect&) = default;
};

inline constexpr int kKeypadWidth = 319;
inline constexpr int kKeypadHeight = 151;

struct KeypadPlacement {
    std::array<KeypadRect, kKeypadSlotCount> slotRects;
    KeypadRect equals;
    KeypadRect backspace;
    KeypadRect stepBack;
    int top = 0;     // the top row's y
    int bottom = 0;  // the bottom of slot 29, y + 151
};

KeypadPlacement PlaceKeypad(int x, int y);
