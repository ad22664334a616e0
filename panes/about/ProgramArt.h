#pragma once
// The program's own pictures, drawn here rather than loaded: the program icon
// (window, tray, about box) and the about box banner. The same drawings are
// written to resources/icons/ as PNG files by the quillix_art tool.

#include <QIcon>
#include <QPixmap>
#include <QSize>

// Size of the banner picture; the about box stretches it to its control.
inline constexpr QSize kAboutBannerSize{200, 130};

// The program icon at size x size pixels.
QPixmap DrawProgramIcon(int size);
// The program icon at the usual sizes (16 to 256 pixels).
QIcon ProgramIcon();
// The about box banner at kAboutBannerSize.
QPixmap DrawAboutBanner();
