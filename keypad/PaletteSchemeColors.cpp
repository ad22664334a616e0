#include "keypad/PaletteSchemeColors.h"

#include <QApplication>
#include <QPalette>

#include "platform/qt/ColorRef.h"
#include "settings/ColorScheme.h"

void InstallPaletteSchemeColors()
{
    if (!qApp)
        return;
    const QPalette palette = QApplication::palette();
    SchemeSystemColors colors;
    colors.window = ColorRefFromColor(palette.color(QPalette::Base));
    colors.highlight = ColorRefFromColor(palette.color(QPalette::Highlight));
    colors.windowText = ColorRefFromColor(palette.color(QPalette::Text));
    colors.highlightText = ColorRefFromColor(palette.color(QPalette::HighlightedText));
    SetSchemeSystemColors(colors);
}
