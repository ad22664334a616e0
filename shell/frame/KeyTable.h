#pragma once
// The calculator's keyboard table: which key, with which modifiers, is which
// calculator command. Letters count by key and modifiers, shifted symbols by
// the character they produce, and the numeric keypad by its modifier. Menu
// commands with keys (Ctrl+C, Ctrl+O, F1, ...) are their actions' shortcuts
// and are not listed here.

#include <QString>
#include <Qt>

// The command id of the key, or 0 when the key is no calculator key.
int CalculatorCommandForKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);
