#include "docking/GhostOutline.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegion>

namespace dockwins {

namespace {

constexpr int kRing = 3;

constexpr Qt::WindowFlags kOutlineFlags = Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                                          Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint;

// The ring of a rectangle, 3 pixels wide (less in a small one).
QRegion Ring(const QRect& r)
{
    const int t = std::min({kRing, r.width() / 2, r.height() / 2});
    return QRegion(r).subtracted(QRegion(r.adjusted(t, t, -t, -t)));
}

}  // namespace

bool CGhostOutline::ShapingOffered() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

CGhostOutline::CGhostOutline(QWidget* frame)
    : CGhostOutline(frame, ShapingOffered() ? Mode::Shaped : frame ? Mode::Overlay : Mode::Translucent)
{
}

CGhostOutline::CGhostOutline(QWidget* frame, Mode mode)
    : QWidget(mode == Mode::Overlay ? frame : nullptr, mode == Mode::Overlay ? Qt::Widget : kOutlineFlags),
      m_mode(mode)
{
    setObjectName(QStringLiteral("dockGhostOutline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (m_mode == Mode::Translucent)
        setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

void CGhostOutline::ShowAt(const QRect& screen)
{
    m_outline = screen;
    if (m_mode == Mode::Overlay) {
        // Over the whole frame, the ring where the outline lies.
        if (geometry() != parentWidget()->rect())
            setGeometry(parentWidget()->rect());
        update();
    } else if (geometry() != screen) {
        setGeometry(screen);
    }
    if (!isVisible())
        show();
    raise();
}

QRect CGhostOutline::RingRect() const
{
    if (m_mode != Mode::Overlay)
        return rect();
    return QRect(mapFromGlobal(m_outline.topLeft()), m_outline.size());
}

void CGhostOutline::resizeEvent(QResizeEvent* event)
{
    // The window is the ring alone: nothing of it covers what lies inside.
    if (m_mode == Mode::Shaped)
        setMask(Ring(rect()));
    QWidget::resizeEvent(event);
}

void CGhostOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QBrush brush(palette().color(QPalette::WindowText), Qt::Dense4Pattern);
    const QRegion ring = Ring(RingRect());
    painter.setClipRegion(ring);
    painter.fillRect(ring.boundingRect(), brush);
}

}  // namespace dockwins
