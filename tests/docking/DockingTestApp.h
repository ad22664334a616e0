#pragma once
// The application of the docking widget tests: Qt's offscreen platform with a
// configured 1920 x 1080 screen and no window frame margins, so that a
// window's geometry is exactly what the layout gives it.

#include <QApplication>

QApplication& DockingTestApp();
// Lets queued deletions and repaints happen.
void Settle();
