#pragma once
// Where the keyboard focus goes after a command of the docking windows: back
// to where it was after a caption button's command, or into a window that a
// View command brought forward, its top-level window activated.

class QWidget;

namespace dockwins {

// After a caption button's command: when the command moved the focus, it goes
// back to `before` while that is still shown, else to `topLevel`.
void RestoreFocusAfterCommand(QWidget* before, QWidget* topLevel);

// Gives `target` the focus, activating its window: a command's focus. When
// the window becomes active only later, the focus is given again then, after
// the frame has put back what it remembered from its deactivation.
void FocusAndActivate(QWidget* target);

}  // namespace dockwins
