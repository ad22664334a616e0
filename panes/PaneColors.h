#pragma once
// COLORREF (0x00BBGGRR) to QColor.

#include <QColor>

#include "keypad/ColorScheme.h"

inline QColor ToQColor(COLORREF color)
{
    return QColor(ColorRefRed(color), ColorRefGreen(color), ColorRefBlue(color));
}
