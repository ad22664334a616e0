#pragma once
// The face of the keypad's owner-drawn buttons: themed through the active
// style when themes are available, else the classic frame.

#include "platform/qt/VisualStyles.h"

class QPainter;
class QWidget;

visual_styles::ButtonState ButtonStateOf(const QWidget& widget, bool down, bool hovering);
void PaintButtonFace(QPainter& painter, const QWidget& widget, visual_styles::ButtonState state);
