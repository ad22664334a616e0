#pragma once
// The engine's shared vocabulary: operator codes, entry kinds, calculation
// states, operation outcomes and argument-check codes. Both programs use these
// values; they are also what saved calculations store.

// The binary operator code; 9 marks a record line without an operator.
enum OperatorType : int {
    OpAdd = 0,
    OpSubtract = 1,
    OpMultiply = 2,
    OpDivide = 3,
    OpIntegerDivide = 4,
    OpModulo = 5,
    OpPower = 6,
    OpNCr = 7,
    OpNPr = 8,
    OpNone = 9,
};

// The kind of the latest entry (kept by the engine and by each record line).
enum CalcEntryType : int {
    EntryNone = 0,
    EntryNumber = 1,
    EntryBinaryOperator = 3,
    EntryFunction = 4,  // a function or negate
    EntryOpenParen = 7,
    EntryCloseParen = 8,
    EntryEquals = 9,
};

enum CalcState : int {
    CalcStateEmpty = 0,      // after reset
    CalcStateEntering = 1,   // an expression is being entered
    CalcStateCompleted = 2,  // completed by "="
};

// The outcome of one operation; the worker sends it as a status word.
enum class CalcStatus : int {
    DivByZero = 0,
    PowArgTooLarge = 1,
    PowArgTooSmall = 2,
    InvalidInput = 3,
    Overflow = 4,
    Underflow = 5,
    UnknownError = 6,
    Success = 7,
};

// The argument check that failed, with one user message each (NameTables.h).
enum OperationErrorCode : int {
    ErrNone = 0,
    ErrSqrt = 5,
    ErrLn = 10,
    ErrLog = 15,
    ErrAsin = 20,
    ErrAcos = 25,
    ErrReciprocal = 30,
    ErrFactorial = 35,
    ErrNCr = 40,
    ErrNPr = 45,
    ErrDivide = 50,
    ErrIntegerDivide = 55,
    ErrModulo = 60,
};
