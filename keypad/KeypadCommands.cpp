#include "keypad/KeypadCommands.h"

#include "keypad/OperationKeys.h"
#include "resources/CommandIds.h"

namespace {

using F = FaceSetting;

// The face of an operation's key.
CCommandInfo Face(const OperationKey& key)
{
    return {key.commandId, key.glyph, std::string(key.faceName)};
}

std::array<KeypadSlotSpec, kKeypadSlotCount> BuildSlots()
{
    return {{
        {{{cmd::kPi, 19, "pi"}, {cmd::kE, 20, "e"}}, F::Pi},
        {{{cmd::kOpenParen, 21, ""}}, F::None},
        {{{cmd::kCloseParen, 22, ""}}, F::None},
        {{Face(KeyOf("sin")), Face(KeyOf("asin")), Face(KeyOf("sinh")), Face(KeyOf("asinh"))}, F::Sin},
        {{Face(KeyOf("^"))}, F::None},
        {{Face(KeyOf("square")), Face(KeyOf("cube"))}, F::XSquared},
        {{Face(KeyOf("cos")), Face(KeyOf("acos")), Face(KeyOf("cosh")), Face(KeyOf("acosh"))}, F::Cos},
        {{Face(KeyOf("factorial"))}, F::None},
        {{Face(KeyOf("log"))}, F::None},
        {{Face(KeyOf("tan")), Face(KeyOf("atan")), Face(KeyOf("tanh")), Face(KeyOf("atanh"))}, F::Tan},
        {{Face(KeyOf("ncr")), Face(KeyOf("npr"))}, F::NCr},
        {{Face(KeyOf("ln"))}, F::None},
        {{{cmd::kDigit0 + 7, 7, "7"}}, F::None},
        {{{cmd::kDigit0 + 8, 8, "8"}}, F::None},
        {{{cmd::kDigit9, 9, "9"}}, F::None},
        {{Face(KeyOf("/")), Face(KeyOf("idiv")), Face(KeyOf("mod"))}, F::Div},
        {{Face(KeyOf("sqrt")), Face(KeyOf("cbrt"))}, F::Sqrt},
        {{{cmd::kDigit0 + 4, 4, "4"}}, F::None},
        {{{cmd::kDigit0 + 5, 5, "5"}}, F::None},
        {{{cmd::kDigit0 + 6, 6, "6"}}, F::None},
        {{Face(KeyOf("*"))}, F::None},
        {{Face(KeyOf("reciprocal"))}, F::None},
        {{{cmd::kDigit0 + 1, 1, "1"}}, F::None},
        {{{cmd::kDigit0 + 2, 2, "2"}}, F::None},
        {{{cmd::kDigit0 + 3, 3, "3"}}, F::None},
        {{Face(KeyOf("-"))}, F::None},
        {{{cmd::kDigit0, 0, "0"}}, F::None},
        {{Face(KeyOf("negate"))}, F::None},
        {{{cmd::kPoint, 11, "."}}, F::None},
        {{Face(KeyOf("+"))}, F::None},
        {{{cmd::kClearAll, 44, "C"}}, F::None},
        {{{cmd::kClearEntry, 45, "CE"}}, F::None},
        {{{cmd::kSci, 46, "sci"}, Face(KeyOf("int")), Face(KeyOf("rnd"))}, F::Sci},
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
