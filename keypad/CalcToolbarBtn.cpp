#include "keypad/CalcToolbarBtn.h"

#include <QMouseEvent>
#include <QPainter>

#include "keypad/GlyphList.h"
#include "keypad/PostedSignal.h"
#include "keypad/ButtonFace.h"

CCalcToolbarBtn::CCalcToolbarBtn(unsigned commandId, const CGlyphList* images, int upIndex,
                                 int downIndex, QWidget* parent)
    : QWidget(parent), m_commandId(commandId), m_images(images), m_upIndex(upIndex), m_downIndex(downIndex)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CCalcToolbarBtn::SetDown(bool down)
{
    if (down == m_down)
        return;
    m_down = down;
    update();
}

void CCalcToolbarBtn::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_down)
        return;
    const int id = static_cast<int>(m_commandId);
    PostToEventLoop(this, [this, id] { emit command(id); });
    SetDown(true);
}

void CCalcToolbarBtn::mouseMoveEvent(QMouseEvent*)
{
    if (!m_hovering) {
        m_hovering = true;
        update();
    }
}

void CCalcToolbarBtn::leaveEvent(QEvent* event)
{
    if (m_hovering) {
        m_hovering = false;
        update();
    }
    QWidget::leaveEvent(event);
}

void CCalcToolbarBtn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void CCalcToolbarBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintButtonFace(painter, *this, ButtonStateOf(*this, m_down, m_hovering));
    if (m_images)
        m_images->Draw(painter, m_down ? m_downIndex : m_upIndex, QPoint(1, 1), isEnabled());
}
