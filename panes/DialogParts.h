#pragma once
// Small pieces shared by the entry dialogs.

#include <string>

#include <QPlainTextEdit>
#include <QString>

// The read-only message box under an entry.
QPlainTextEdit* MakeDialogMessageBox(QWidget* parent);

// Shows text in the message box, leaving it alone when it already shows it
// (so retyping the same fault does not flicker).
void ShowDialogMessage(QPlainTextEdit* box, const std::string& text);

// The text with white space (blanks, tabs, line breaks) removed at both ends.
std::string TrimmedText(const QString& text);

// Centres dialog on its owner's window (or leaves it where it is without one).
void CentreOnOwner(QWidget* dialog);
