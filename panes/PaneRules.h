#pragma once
// Small rules shared by the panes.

// The line selected after line `removed` was deleted and `remaining` lines are
// left: the same position, or the new last line, or none (-1).
inline int SelectionAfterRemoval(int removed, int remaining)
{
    if (remaining <= 0)
        return -1;
    return removed < remaining ? removed : remaining - 1;
}

// Caption of the panes' confirmation questions.
inline constexpr const char* kConfirmCaption = "Confirm";
