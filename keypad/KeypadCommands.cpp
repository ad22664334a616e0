#include "keypad/KeypadCommands.h"

namespace {

using F = FaceSetting;

std::array<KeypadSlotSpec, kKeypadSlotCount> BuildSlots()
{
    return {{
        {{{6120, 19, "pi"}, {6121, 20, "e"}}, F::Pi},
        {{{6122, 21, ""}}, F::None},
        {{{6123, 22, ""}}, F::None},
        {{{6124, 23, "sin"}, {6125, 24, "asin"}, {6126, 25, "sinh"}, {6127, 26, "asinh"}}, F::Sin},
        {{{6136, 35, "x to the power y"}}, F::None},
        {{{6137, 36, "x squared"}, {6138, 37, "x cubed"}}, F::XSquared},
        {{{6128, 27, "cos"}, {6129, 28, "acos"}, {6130, 29, "cosh"}, {6131, 30, "acosh"}}, F::Cos},
        {{{6139, 38, "n!"}}, F::None},
        {{{6140, 39, "log"}}, F::None},
        {{{6132, 31, "tan"}, {6133, 32, "atan"}, {6134, 33, "tanh"}, {6135, 34, "atanh"}}, F::Tan},
        {{{6142, 41, "nCr"}, {6143, 42, "nPr"}}, F::NCr},
        {{{6144, 43, "ln"}}, F::None},
        {{{6108, 7, "7"}}, F::None},
        {{{6109, 8, "8"}}, F::None},
        {{{6110, 9, "9"}}, F::None},
        {{{6113, 12, "\u00F7"}, {34503, 49, "idiv"}, {34504, 50, "mod"}}, F::Div},
        {{{6117, 16, "sqrt"}, {6118, 17, "cbrt"}}, F::Sqrt},
        {{{6105, 4, "4"}}, F::None},
        {{{6106, 5, "5"}}, F::None},
        {{{6107, 6, "6"}}, F::None},
        {{{6114, 13, "x"}}, F::None},
        {{{6119, 18, "1/x"}}, F::None},
        {{{6102, 1, "1"}}, F::None},
        {{{6103, 2, "2"}}, F::None},
        {{{6104, 3, "3"}}, F::None},
        {{{6115, 14, "-"}}, F::None},
        {{{6101, 0, "0"}}, F::None},
        {{{6111, 10, "+/-"}}, F::None},
        {{{6112, 11, "."}}, F::None},
        {{{6116, 15, "+"}}, F::None},
        {{{6145, 44, "C"}}, F::None},
        {{{6146, 45, "CE"}}, F::None},
        {{{32813, 46, "sci"}, {34502, 47, "int"}, {34501, 48, "rnd"}}, F::Sci},
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
