#include "shell/frame/KeyTable.h"

#include "resources/CommandIds.h"

namespace {

constexpr Qt::KeyboardModifiers kRelevant = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

int LetterCommand(int key, Qt::KeyboardModifiers mods)
{
    const bool shift = mods.testFlag(Qt::ShiftModifier);
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    const bool plain = !ctrl && !alt;
    // The trigonometric groups: plain, Shift, Ctrl+Shift, Ctrl+Alt.
    auto group = [&](unsigned first) -> int {
        if (plain)
            return static_cast<int>(shift ? first + 1 : first);
        if (ctrl && shift && !alt)
            return static_cast<int>(first + 2);
        if (ctrl && alt && !shift)
            return static_cast<int>(first + 3);
        return 0;
    };
    switch (key) {
    case Qt::Key_I: return group(cmd::kSin);
    case Qt::Key_O: return group(cmd::kCos);
    case Qt::Key_T: return group(cmd::kTan);
    case Qt::Key_E:
        if (ctrl && !alt && !shift)
            return cmd::kE;
        return plain ? static_cast<int>(cmd::kSci) : 0;
    default: break;
    }
    if (!plain)
        return 0;
    switch (key) {
    case Qt::Key_R: return cmd::kReciprocal;
    case Qt::Key_L: return cmd::kLog;
    case Qt::Key_P: return shift ? 0 : static_cast<int>(cmd::kPi);
    case Qt::Key_Y: return shift ? 0 : static_cast<int>(cmd::kPower);
    case Qt::Key_C: return static_cast<int>(shift ? cmd::kNPr : cmd::kNCr);
    case Qt::Key_N: return shift ? 0 : static_cast<int>(cmd::kLn);
    case Qt::Key_M: return shift ? 0 : static_cast<int>(cmd::kModulo);
    default: return 0;
    }
}

int CharacterCommand(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return static_cast<int>(cmd::kDigit0) + (c.unicode() - '0');
    switch (c.unicode()) {
    case '.': return cmd::kPoint;
    case '/': return cmd::kDivide;
    case '*': return cmd::kMultiply;
    case '-': return cmd::kSubtract;
    case '+': return cmd::kAdd;
    case '(': return cmd::kOpenParen;
    case ')': return cmd::kCloseParen;
    case '@': return cmd::kSquare;
    case '#': return cmd::kCube;
    case '!': return cmd::kFactorial;
    case '=': return cmd::kEquals;
    case ';': return cmd::kInt;
    case ':': return cmd::kRound;
    case '?': return cmd::kIntegerDivide;
    default: return 0;
    }
}

}  // namespace

int CalculatorCommandForKey(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    const Qt::KeyboardModifiers mods = modifiers & kRelevant;
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    const bool shift = mods.testFlag(Qt::ShiftModifier);

    // Keys of their own.
    switch (key) {
    case Qt::Key_Escape: return mods ? 0 : static_cast<int>(cmd::kClearAll);
    case Qt::Key_Delete: return mods ? 0 : static_cast<int>(cmd::kClearEntry);
    case Qt::Key_Return:
    case Qt::Key_Enter: return mods ? 0 : static_cast<int>(cmd::kEquals);
    case Qt::Key_Backspace:
        if (ctrl && !alt && !shift)
            return cmd::kStepBack;
        return mods ? 0 : static_cast<int>(cmd::kBackspace);
    case Qt::Key_Home: return mods ? 0 : static_cast<int>(cmd::kScrollHome);
    case Qt::Key_End: return mods ? 0 : static_cast<int>(cmd::kScrollEnd);
    case Qt::Key_Left: return mods ? 0 : static_cast<int>(cmd::kScrollLeft);
    case Qt::Key_Right: return mods ? 0 : static_cast<int>(cmd::kScrollRight);
    case Qt::Key_F9: return mods ? 0 : static_cast<int>(cmd::kNegate);
    default: break;
    }
    // Ctrl+Shift+2 and Ctrl+Shift+3: the roots (the key may come as the
    // digit or as its shifted symbol).
    if (ctrl && shift && !alt) {
        if (key == Qt::Key_2 || key == Qt::Key_At)
            return cmd::kSqrt;
        if (key == Qt::Key_3 || key == Qt::Key_NumberSign)
            return cmd::kCbrt;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return LetterCommand(key, mods);
    if (ctrl || alt)
        return 0;  // Ctrl+"=" and the like belong to the menus
    // The numeric keypad's decimal key gives a comma in some layouts.
    if (modifiers.testFlag(Qt::KeypadModifier) && (key == Qt::Key_Comma || key == Qt::Key_Period))
        return cmd::kPoint;
    // Digits, symbols and the numeric keypad by the character they give.
    if (text.size() == 1)
        return CharacterCommand(text.at(0));
    return 0;
}
