#include "keypad/KeypadCommands.h"

#include "resources/CommandIds.h"

namespace {

using F = FaceSetting;

std::array<KeypadSlotSpec, kKeypadSlotCount> BuildSlots()
{
    return {{
        {{{cmd::kPi, 19, "pi"}, {cmd::kE, 20, "e"}}, F::Pi},
        {{{cmd::kOpenParen, 21, ""}}, F::None},
        {{{cmd::kCloseParen, 22, ""}}, F::None},
        {{{cmd::kSin, 23, "sin"}, {cmd::kAsin, 24, "asin"}, {cmd::kSinh, 25, "sinh"}, {cmd::kAsinh, 26, "asinh"}}, F::Sin},
        {{{cmd::kPower, 35, "x to the power y"}}, F::None},
        {{{cmd::kSquare, 36, "x squared"}, {cmd::kCube, 37, "x cubed"}}, F::XSquared},
        {{{cmd::kCos, 27, "cos"}, {cmd::kAcos, 28, "acos"}, {cmd::kCosh, 29, "cosh"}, {cmd::kAcosh, 30, "acosh"}}, F::Cos},
        {{{cmd::kFactorial, 38, "n!"}}, F::None},
        {{{cmd::kLog, 39, "log"}}, F::None},
        {{{cmd::kTan, 31, "tan"}, {cmd::kAtan, 32, "atan"}, {cmd::kTanh, 33, "tanh"}, {cmd::kAtanh, 34, "atanh"}}, F::Tan},
        {{{cmd::kNCr, 41, "nCr"}, {cmd::kNPr, 42, "nPr"}}, F::NCr},
        {{{cmd::kLn, 43, "ln"}}, F::None},
        {{{cmd::kDigit0 + 7, 7, "7"}}, F::None},
        {{{cmd::kDigit0 + 8, 8, "8"}}, F::None},
        {{{cmd::kDigit9, 9, "9"}}, F::None},
        {{{cmd::kDivide, 12, "\u00F7"}, {cmd::kIntegerDivide, 49, "idiv"}, {cmd::kModulo, 50, "mod"}}, F::Div},
        {{{cmd::kSqrt, 16, "sqrt"}, {cmd::kCbrt, 17, "cbrt"}}, F::Sqrt},
        {{{cmd::kDigit0 + 4, 4, "4"}}, F::None},
        {{{cmd::kDigit0 + 5, 5, "5"}}, F::None},
        {{{cmd::kDigit0 + 6, 6, "6"}}, F::None},
        {{{cmd::kMultiply, 13, "x"}}, F::None},
        {{{cmd::kReciprocal, 18, "1/x"}}, F::None},
        {{{cmd::kDigit0 + 1, 1, "1"}}, F::None},
        {{{cmd::kDigit0 + 2, 2, "2"}}, F::None},
        {{{cmd::kDigit0 + 3, 3, "3"}}, F::None},
        {{{cmd::kSubtract, 14, "-"}}, F::None},
        {{{cmd::kDigit0, 0, "0"}}, F::None},
        {{{cmd::kNegate, 10, "+/-"}}, F::None},
        {{{cmd::kPoint, 11, "."}}, F::None},
        {{{cmd::kAdd, 15, "+"}}, F::None},
        {{{cmd::kClearAll, 44, "C"}}, F::None},
        {{{cmd::kClearEntry, 45, "CE"}}, F::None},
        {{{cmd::kSci, 46, "sci"}, {cmd::kInt, 47, "int"}, {cmd::kRound, 48, "rnd"}}, F::Sci},
    }};
}

}  // namespace

const std::array<KeypadSlotSpec, kKeypadSlotCount>& KeypadSlotTable()
{
    static const auto slots = BuildSlots();
    return slots;
}

CommandList MakeCommandList(const KeypadSlotSpec& slot)
{
    CommandList list;
    for (const auto& c : slot.alternatives)
        list.push_back(std::make_shared<CCommandInfo>(c));
    return list;
}
