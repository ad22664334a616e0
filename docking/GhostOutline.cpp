#include "docking/GhostOutline.h"

#include <QPainter>

namespace dockwins {

CGhostOutline::CGhostOutline()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint)
{
    setObjectName(QStringLiteral("dockGhostOutline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
}

void CGhostOutline::ShowAt(const QRect& screen)
{
    if (geometry() != screen)
        setGeometry(screen);
    if (!isVisible())
        show();
    raise();
}

void CGhostOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QBrush brush(palette().color(QPalette::WindowText), Qt::Dense4Pattern);
    const int t = std::min({3, width() / 2, height() / 2});
    painter.fillRect(QRect(0, 0, width(), t), brush);
    painter.fillRect(QRect(0, height() - t, width(), t), brush);
    painter.fillRect(QRect(0, t, t, height() - 2 * t), brush);
    painter.fillRect(QRect(width() - t, t, t, height() - 2 * t), brush);
}

}  // namespace dockwins
