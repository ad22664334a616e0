#include "docking/GhostBar.h"

#include <QPainter>

namespace dockwins {

CGhostBar::CGhostBar(QWidget* owner) : QWidget(owner)
{
    setObjectName(QStringLiteral("dockGhostBar"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void CGhostBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(palette().color(QPalette::WindowText), Qt::Dense4Pattern));
}

}  // namespace dockwins
