#pragma once
// The display text of a value under D display digits: short values unrounded,
// longer ones rounded to D significant digits, very wide ones in scientific
// form. Digit grouping is left to the window code.

#include <string>

#include "number/Number.h"

std::string FormatNumberText(const Number& value, int displayDigits, bool zeroBelowResolution, bool* rounded);
