#pragma once
// Command ids shared by the keypad buttons, menus, accelerators and the frame's
// dispatcher.

namespace cmd {

inline constexpr unsigned kDigit0 = 6101;  // 6101..6110: digits 0..9
inline constexpr unsigned kDigit9 = 6110;
inline constexpr unsigned kNegate = 6111;
inline constexpr unsigned kPoint = 6112;
inline constexpr unsigned kDivide = 6113;
inline constexpr unsigned kMultiply = 6114;
inline constexpr unsigned kSubtract = 6115;
inline constexpr unsigned kAdd = 6116;
inline constexpr unsigned kSqrt = 6117;
inline constexpr unsigned kCbrt = 6118;
inline constexpr unsigned kReciprocal = 6119;
inline constexpr unsigned kPi = 6120;
inline constexpr unsigned kE = 6121;
inline constexpr unsigned kOpenParen = 6122;
inline constexpr unsigned kCloseParen = 6123;
inline constexpr unsigned kSin = 6124;
inline constexpr unsigned kAsin = 6125;
inline constexpr unsigned kSinh = 6126;
inline constexpr unsigned kAsinh = 6127;
inline constexpr unsigned kCos = 6128;
inline constexpr unsigned kAcos = 6129;
inline constexpr unsigned kCosh = 6130;
inline constexpr unsigned kAcosh = 6131;
inline constexpr unsigned kTan = 6132;
inline constexpr unsigned kAtan = 6133;
inline constexpr unsigned kTanh = 6134;
inline constexpr unsigned kAtanh = 6135;
inline constexpr unsigned kPower = 6136;
inline constexpr unsigned kSquare = 6137;
inline constexpr unsigned kCube = 6138;
inline constexpr unsigned kFactorial = 6139;
inline constexpr unsigned kLog = 6140;
inline constexpr unsigned kNCr = 6142;
inline constexpr unsigned kNPr = 6143;
inline constexpr unsigned kLn = 6144;
inline constexpr unsigned kClearAll = 6145;  // also the display's cancel button
inline constexpr unsigned kClearEntry = 6146;
inline constexpr unsigned kEquals = 6147;
inline constexpr unsigned kBackspace = 6148;
inline constexpr unsigned kFreeFormEntry = 13001;
inline constexpr unsigned kDegrees = 32775;
inline constexpr unsigned kRadians = 32776;
inline constexpr unsigned kGrads = 32777;
inline constexpr unsigned kScrollHome = 32811;
inline constexpr unsigned kScrollEnd = 32812;
inline constexpr unsigned kSci = 32813;
inline constexpr unsigned kStepBack = 32815;
inline constexpr unsigned kScrollLeft = 57718;
inline constexpr unsigned kScrollRight = 57719;
inline constexpr unsigned kRound = 34501;
inline constexpr unsigned kInt = 34502;
inline constexpr unsigned kIntegerDivide = 34503;
inline constexpr unsigned kModulo = 34504;

}  // namespace cmd
