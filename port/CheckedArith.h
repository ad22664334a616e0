#pragma once
// The worker's checked routines (the operation table, Operations.h, names
// them): each refuses arguments outside its domain with ErgastoException
// carrying the OperationErrorCode, and otherwise computes as the shared
// routine does (ArithRoutines.h; `precision` is the request's digit count).
//
// Factorial, nCr and nPr first estimate the size of their result and raise
// NumberOverflowError when it would exceed 1E999999, instead of computing a
// number of millions of digits only to report Overflow. With a digit count of
// 1 or more they return the exact value rounded to the places of the
// precision rule, computed without the exact product when that is much
// longer.

#include "number/Number.h"

Number CheckedSqrt(const Number& x, int precision);        // x < 0: 5
Number CheckedLn(const Number& x, int precision);          // x <= 0: 10
Number CheckedLog10(const Number& x, int precision);       // x <= 0: 15
Number CheckedAsin(const Number& x, int precision);        // |x| > 1: 20
Number CheckedAcos(const Number& x, int precision);        // |x| > 1: 25
Number CheckedReciprocal(const Number& x, int precision);  // x = 0: 30
Number CheckedFactorial(const Number& x, int precision);   // x < 0 or not an integer: 35
Number CheckedNCr(const Number& n, const Number& r, int precision);            // 40
Number CheckedNPr(const Number& n, const Number& r, int precision);            // 45
Number CheckedIntegerDivide(const Number& left, const Number& right, int precision);  // 55
Number CheckedMod(const Number& left, const Number& right, int precision);     // 60

// The larger and the smaller of two Numbers (the second on a tie).
const Number& MaxOf(const Number& a, const Number& b);
const Number& MinOf(const Number& a, const Number& b);

// Lower bounds of log10 of n!, nCr(n, r) and nPr(n, r) for valid arguments;
// accurate to about 1E-2 while n < 1E15, and still bounds above that.
double Log10FactorialLowerBound(const Number& n);
double Log10CombinationsLowerBound(const Number& n, const Number& r);
double Log10PermutationsLowerBound(const Number& n, const Number& r);

// log10 |base ^ exponent| to about double accuracy, for base != 0; +-infinity
// for exponents beyond double's range, 0 when |base| is 1 or too close to 1
// for double to tell.
double Log10PowerMagnitude(const Number& base, const Number& exponent);
