#include "keypad/ButtonFace.h"

#include <QPainter>
#include <QWidget>

using visual_styles::ButtonState;

ButtonState ButtonStateOf(const QWidget& widget, bool down, bool hovering)
{
    if (!widget.isEnabled())
        return ButtonState::Disabled;
    if (down)
        return ButtonState::Pressed;
    return hovering ? ButtonState::Hot : ButtonState::Normal;
}

void PaintButtonFace(QPainter& painter, const QWidget& widget, ButtonState state)
{
    painter.fillRect(widget.rect(), widget.palette().color(QPalette::Window));
    if (!visual_styles::DrawThemedButton(painter, widget.rect(), state, &widget))
        visual_styles::DrawClassicButton(painter, widget.rect(), state, &widget);
}
