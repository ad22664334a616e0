#include "docking/DockingClientArea.h"

#include <QMouseEvent>
#include <QPainter>

namespace dockwins {

CDockingClientArea::CDockingClientArea(IClientAreaOwner& owner, QWidget* parent) : QWidget(parent), m_owner(owner)
{
    setObjectName(QStringLiteral("dockingClientArea"));
    setMouseTracking(true);
}

void CDockingClientArea::resizeEvent(QResizeEvent*) { m_owner.OnClientAreaResized(); }

void CDockingClientArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_owner.PaintSplitters(painter);
}

void CDockingClientArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_owner.OnClientAreaPress(event->position().toPoint())) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CDockingClientArea::mouseMoveEvent(QMouseEvent* event)
{
    if (const auto cursor = m_owner.SplitterCursor(event->position().toPoint()))
        setCursor(*cursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(event);
}

}  // namespace dockwins
