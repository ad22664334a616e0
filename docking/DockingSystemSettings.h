#pragma once
// The one docking settings object of the program, built on first use from the
// application's palette, font and style, and refreshed when they change. Tests
// may inject the system values.

#include <functional>

#include <QColor>
#include <QFont>

#include "docking/core/DockingSettings.h"

namespace dockwins {

CDockingSettings& DockingSettings();
// Reads the system values again (palette, font or style changed).
void RefreshDockingSettings();
// Replaces where the system values come from; an empty function restores the
// application's own.
void SetSystemValuesSource(std::function<SystemValues()> source);

QFont CaptionFont();
inline QColor ToQColor(RGBColour c) { return QColor(c.r, c.g, c.b); }

}  // namespace dockwins
