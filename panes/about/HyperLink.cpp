#include "panes/about/HyperLink.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
const QColor kLinkColor(0x00, 0x00, 0xFF);
const QColor kVisitedColor(0x80, 0x00, 0x80);
}  // namespace

CHyperLink::CHyperLink(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setToolTip(QString());
    UpdateLook();
}

void CHyperLink::SetVisited(bool visited)
{
    if (m_bVisited == visited)
        return;
    m_bVisited = visited;
    UpdateLook();
}

void CHyperLink::enterEvent(QEnterEvent* event)
{
    m_bHovered = true;
    UpdateLook();
    QLabel::enterEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event)
{
    m_bHovered = false;
    m_bPressed = false;
    UpdateLook();
    QLabel::leaveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bPressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bPressed) {
        m_bPressed = false;
        event->accept();
        // A press dragged off the link and released elsewhere is no click.
        if (rect().contains(event->position().toPoint()))
            emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CHyperLink::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CHyperLink::UpdateLook()
{
    QFont f = font();
    f.setUnderline(m_bHovered);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, m_bVisited ? kVisitedColor : kLinkColor);
    setPalette(pal);
    update();
}
