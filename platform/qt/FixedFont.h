#pragma once
// The fixed-pitch font of the windows that line characters up in columns (the
// entry line counts characters by the width of "0").

#include <QFont>

// The system's fixed-pitch font when the font system really gives a fixed-pitch
// face for it; otherwise the first installed fixed-pitch face of a short list
// (some desktops map "monospace" to a dual-width face).
QFont FixedPitchFont();
