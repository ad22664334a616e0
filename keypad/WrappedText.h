#pragma once
// Word-wrapping of the display's texts: every "\n" is a line break, tabs are
// expanded, and when the text does not fit, the last line that does is elided.

#include <QFont>
#include <QStringList>

// The lines to draw into a box of that size, at most height / line spacing.
QStringList WrapText(const QString& text, const QFont& font, int width, int height);
