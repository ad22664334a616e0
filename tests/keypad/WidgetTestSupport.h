#pragma once
// Shared pieces of the keypad's widget tests: the QApplication, synthetic mouse
// input, and spies for the owner interfaces.

#include <vector>

#include <QPoint>
#include <QWidget>

#include "keypad/ICalcBtnParent.h"
#include "keypad/ICalcWindowParent.h"

namespace keypad_test {

void Press(QWidget* widget, QPoint at);
void DoubleClick(QWidget* widget, QPoint at);
void Release(QWidget* widget, QPoint at);
void Move(QWidget* widget, QPoint at, bool leftDown = false);
void Leave(QWidget* widget);
// A press and release in the middle of the widget.
void Click(QWidget* widget);
// Runs posted events without waiting.
void DrainEvents();
// Waits milliseconds while events run.
void Wait(int milliseconds);

class HelpSpy : public ICalcBtnParent, public ICalcBtnMgrParent {
public:
    void ShowCommandHelp(unsigned commandId) override { ids.push_back(commandId); }
    std::vector<unsigned> ids;
};

class OwnerSpy : public ICalcWindowParent {
public:
    bool IsCalculating() override { return calculating; }
    bool IsCancelPending() override { return cancelling; }
    void OnAngleChosen(int angle) override { angles.push_back(angle); }
    bool calculating = false;
    bool cancelling = false;
    std::vector<int> angles;  // each unit the owner was told of
};

}  // namespace keypad_test
