#include "shell/frame/FlyingItem.h"

#include <cstdlib>

std::vector<QPoint> FlightPath(QPoint from, QPoint to, int steps)
{
    std::vector<QPoint> path;
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (steps < 1 || (dx == 0 && dy == 0)) {
        path.push_back(to);
        return path;
    }
    for (int i = 1; i <= steps; ++i) {
        QPoint p;
        if (dx == 0) {
            const int step = dy / steps;
            p = {from.x(), from.y() + step * i};
        } else {
            const int step = dx / steps;
            const int x = from.x() + step * i;
            p = {x, from.y() + static_cast<int>(static_cast<long long>(dy) * (x - from.x()) / dx)};
        }
        // Never past the target.
        if ((dx > 0 && p.x() > to.x()) || (dx < 0 && p.x() < to.x()) || (dy > 0 && p.y() > to.y()) ||
            (dy < 0 && p.y() < to.y()))
            p = to;
        path.push_back(i == steps ? to : p);
    }
    return path;
}

CFlyingItem::CFlyingItem(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Step(); });
}

bool CFlyingItem::Start(const QPixmap& picture, QPoint from, QPoint to, std::string text,
                        std::function<void(const std::string&)> landed)
{
    if (IsFlying())
        return false;
    m_path = FlightPath(from, to);
    m_next = 0;
    m_text = std::move(text);
    m_landed = std::move(landed);
    setPixmap(picture);
    adjustSize();
    move(from);
    if (!picture.isNull())
        show();
    m_timer.start();
    return true;
}

void CFlyingItem::Step()
{
    if (m_next < m_path.size()) {
        move(m_path[m_next++]);
        return;
    }
    m_timer.stop();
    hide();
    if (auto landed = std::move(m_landed))
        landed(std::exchange(m_text, {}));
}
