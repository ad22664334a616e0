#pragma once
// Lets GoogleTest print Number values in failure messages.
#include <ostream>

#include "number/Number.h"

inline void PrintTo(const Number& value, std::ostream* out) { *out << value.to_scientific(); }
