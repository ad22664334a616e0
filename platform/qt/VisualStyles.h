#pragma once
// The process-wide "themes available" switch and the drawing wrappers of the
// owner-drawn controls. Themed drawing goes through the active QStyle; classic
// drawing through qDrawWinButton and qDrawWinPanel. Each themed wrapper draws
// nothing and returns false while themes are not available, so callers fall
// back to the classic frame.

#include <QRect>

class QPainter;
class QWidget;

namespace visual_styles {

// On when the active QStyle draws themed controls (every style but the classic
// "Windows" one), unless a test has forced a value.
bool ThemesAvailable();
// Forces the switch (tests, and a user who wants the classic look); reset
// with ClearThemesOverride.
void ForceThemesAvailable(bool available);
void ClearThemesOverride();

enum class ButtonState { Normal, Hot, Pressed, Disabled };

// A themed push button face (CE_PushButtonBevel) over rect.
bool DrawThemedButton(QPainter& painter, const QRect& rect, ButtonState state, const QWidget* widget);
// A themed tab-control pane (PE_FrameTabWidget) over rect.
bool DrawThemedPane(QPainter& painter, const QRect& rect, const QWidget* widget);

// Classic frames: a button face (sunken when pushed, flat when disabled), a
// raised panel, a sunken edge.
void DrawClassicButton(QPainter& painter, const QRect& rect, ButtonState state, const QWidget* widget);
void DrawClassicRaisedEdge(QPainter& painter, const QRect& rect, const QWidget* widget);
void DrawClassicSunkenEdge(QPainter& painter, const QRect& rect, const QWidget* widget);

}  // namespace visual_styles
