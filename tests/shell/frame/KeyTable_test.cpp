// The keyboard table: letters by key and modifiers, symbols by character,
// the numeric keypad by its modifier, and menu keys left to the menus.

#include <gtest/gtest.h>

#include "resources/CommandIds.h"
#include "shell/frame/KeyTable.h"

namespace {

struct KeyCase {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    unsigned command;  // 0: no calculator key
};

TEST(KeyTable, EveryKeyOfTheTable)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const std::vector<KeyCase> cases{
        {Qt::Key_0, none, "0", cmd::kDigit0},          {Qt::Key_9, none, "9", cmd::kDigit9},
        {Qt::Key_7, keypad, "7", cmd::kDigit0 + 7},    {Qt::Key_Period, none, ".", cmd::kPoint},
        {Qt::Key_Comma, keypad, ",", cmd::kPoint},     {Qt::Key_F9, none, "", cmd::kNegate},
        {Qt::Key_Slash, none, "/", cmd::kDivide},      {Qt::Key_Asterisk, shift, "*", cmd::kMultiply},
        {Qt::Key_Asterisk, keypad, "*", cmd::kMultiply}, {Qt::Key_Minus, none, "-", cmd::kSubtract},
        {Qt::Key_Plus, shift, "+", cmd::kAdd},         {Qt::Key_Plus, keypad, "+", cmd::kAdd},
        {Qt::Key_At, ctrlShift, "", cmd::kSqrt},       {Qt::Key_2, ctrlShift, "", cmd::kSqrt},
        {Qt::Key_NumberSign, ctrlShift, "", cmd::kCbrt},
        {Qt::Key_R, none, "r", cmd::kReciprocal},      {Qt::Key_R, shift, "R", cmd::kReciprocal},
        {Qt::Key_P, none, "p", cmd::kPi},              {Qt::Key_E, ctrl, "", cmd::kE},
        {Qt::Key_ParenLeft, shift, "(", cmd::kOpenParen}, {Qt::Key_ParenRight, shift, ")", cmd::kCloseParen},
        {Qt::Key_I, none, "i", cmd::kSin},             {Qt::Key_I, shift, "I", cmd::kAsin},
        {Qt::Key_I, ctrlShift, "", cmd::kSinh},        {Qt::Key_I, ctrlAlt, "", cmd::kAsinh},
        {Qt::Key_O, none, "o", cmd::kCos},             {Qt::Key_O, ctrlAlt, "", cmd::kAcosh},
        {Qt::Key_T, shift, "T", cmd::kAtan},           {Qt::Key_T, ctrlShift, "", cmd::kTanh},
        {Qt::Key_Y, none, "y", cmd::kPower},           {Qt::Key_At, shift, "@", cmd::kSquare},
        {Qt::Key_NumberSign, shift, "#", cmd::kCube},  {Qt::Key_Exclam, shift, "!", cmd::kFactorial},
        {Qt::Key_L, none, "l", cmd::kLog},             {Qt::Key_L, shift, "L", cmd::kLog},
        {Qt::Key_C, none, "c", cmd::kNCr},             {Qt::Key_C, shift, "C", cmd::kNPr},
        {Qt::Key_N, none, "n", cmd::kLn},              {Qt::Key_Escape, none, "", cmd::kClearAll},
        {Qt::Key_Delete, none, "", cmd::kClearEntry},  {Qt::Key_Equal, none, "=", cmd::kEquals},
        {Qt::Key_Return, none, "\r", cmd::kEquals},    {Qt::Key_Enter, keypad, "\r", cmd::kEquals},
        {Qt::Key_Backspace, none, "", cmd::kBackspace}, {Qt::Key_Backspace, ctrl, "", cmd::kStepBack},
        {Qt::Key_Home, none, "", cmd::kScrollHome},    {Qt::Key_End, none, "", cmd::kScrollEnd},
        {Qt::Key_Left, none, "", cmd::kScrollLeft},    {Qt::Key_Right, none, "", cmd::kScrollRight},
        {Qt::Key_E, none, "e", cmd::kSci},             {Qt::Key_E, shift, "E", cmd::kSci},
        {Qt::Key_Semicolon, none, ";", cmd::kInt},     {Qt::Key_Colon, shift, ":", cmd::kRound},
        {Qt::Key_Question, shift, "?", cmd::kIntegerDivide}, {Qt::Key_M, none, "m", cmd::kModulo},
        // Menu keys and others are no calculator keys.
        {Qt::Key_C, ctrl, "", 0},                      {Qt::Key_O, ctrl, "", 0},
        {Qt::Key_Equal, ctrl, "=", 0},                 {Qt::Key_Q, none, "q", 0},
        {Qt::Key_F1, none, "", 0},                     {Qt::Key_Space, none, " ", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalculatorCommandForKey(c.key, c.modifiers, QString::fromLatin1(c.text)), static_cast<int>(c.command))
            << "key " << std::hex << c.key << " modifiers " << c.modifiers.toInt() << " text '" << c.text << "'";
}

}  // namespace

#include "shell/frame/FlyingItem.h"

namespace {

TEST(FlightPath, FifteenStepsOnTheLineEndingAtTheTarget)
{
    const auto path = FlightPath({0, 0}, {150, 30});
    ASSERT_EQ(path.size(), 15u);
    EXPECT_EQ(path[0], QPoint(10, 2));
    EXPECT_EQ(path[6], QPoint(70, 14));
    EXPECT_EQ(path.back(), QPoint(150, 30));

    const auto uneven = FlightPath({100, 50}, {0, 50});  // x step -6 (100 / 15 truncated)
    EXPECT_EQ(uneven[0], QPoint(94, 50));
    EXPECT_EQ(uneven[13], QPoint(16, 50));
    EXPECT_EQ(uneven.back(), QPoint(0, 50));

    const auto vertical = FlightPath({5, 0}, {5, 45});
    EXPECT_EQ(vertical[0], QPoint(5, 3));
    EXPECT_EQ(vertical.back(), QPoint(5, 45));
    for (const QPoint& p : FlightPath({0, 0}, {7, 300}))  // a small x step never passes the target
        EXPECT_LE(p.y(), 300);

    EXPECT_EQ(FlightPath({3, 3}, {3, 3}), std::vector<QPoint>{QPoint(3, 3)});
}

}  // namespace
