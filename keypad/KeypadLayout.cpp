#include "keypad/KeypadLayout.h"

namespace {

constexpr int kPitchX = 38;
constexpr int kPitchY = 31;
constexpr int kRightBlock = 133;

KeypadRect Cell(int x, int y, int width = kSlotButtonWidth, int height = kSlotButtonHeight)
{
    return {x, y, x + width, y + height};
}

}  // namespace

KeypadPlacement PlaceKeypad(int x, int y)
{
    KeypadPlacement p;
    // Top row: sci, step back; backspace, CE, C.
    p.slotRects[32] = Cell(x, y);
    p.stepBack = Cell(x + kPitchX, y, kStepBackButton.width, kStepBackButton.height);
    p.backspace = Cell(x + kRightBlock, y, kBackspaceButton.width, kBackspaceButton.height);
    p.slotRects[31] = Cell(x + kRightBlock + 3 * kPitchX, y);
    p.slotRects[30] = Cell(x + kRightBlock + 4 * kPitchX, y);

    // Left block: slotRects 0..11, three per row, in rows 1..4.
    for (int slot = 0; slot < 12; ++slot)
        p.slotRects[slot] = Cell(x + kPitchX * (slot % 3), y + kPitchY * (1 + slot / 3));

    // Right block: rows of five, five, four and four slotRects.
    const struct {
        int first;
        int count;
    } rows[] = {{12, 5}, {17, 5}, {22, 4}, {26, 4}};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < rows[row].count; ++column)
            p.slotRects[rows[row].first + column] =
                Cell(x + kRightBlock + kPitchX * column, y + kPitchY * (1 + row));

    p.equals = Cell(x + kRightBlock + 4 * kPitchX, y + 3 * kPitchY, kEqualsButton.width,
                    kEqualsButton.height);
    p.top = y;
    p.bottom = p.slotRects[29].bottom;
    return p;
}
