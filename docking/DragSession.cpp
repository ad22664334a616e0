#include "docking/DragSession.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWidget>

namespace dockwins {

namespace {

CDragSession* g_active = nullptr;  // user-interface thread only

}  // namespace

CDragSession* CDragSession::Active() { return g_active; }

CDragSession* CDragSession::Start(QWidget* owner, std::unique_ptr<IDDTracker> tracker,
                                  std::function<void(bool)> onEnd)
{
    if (!owner || !tracker)
        return nullptr;
    if (g_active)
        g_active->Abandon();
    auto* session = new CDragSession(owner, std::move(tracker), std::move(onEnd));
    g_active = session;
    session->m_tracker->BeginDrag();
    return session;
}

CDragSession::CDragSession(QWidget* owner, std::unique_ptr<IDDTracker> tracker, std::function<void(bool)> onEnd)
    : m_owner(owner), m_tracker(std::move(tracker)), m_onEnd(std::move(onEnd)),
      m_buttonHeld(QGuiApplication::mouseButtons() != Qt::NoButton)
{
    qApp->installEventFilter(this);
    // The owner's deletion takes the tracker's package with it: end at once,
    // without touching either.
    connect(owner, &QObject::destroyed, this, [this] {
        m_onEnd = nullptr;
        if (m_busy)
            return;  // the tracker is on the stack: the filter ends the drag after it
        m_tracker.reset();
        End(false);
    });
}

CDragSession::~CDragSession()
{
    if (g_active == this)
        g_active = nullptr;
}

void CDragSession::End(bool cancelled)
{
    if (m_ended)
        return;
    m_ended = true;
    qApp->removeEventFilter(this);
    if (g_active == this)
        g_active = nullptr;
    std::unique_ptr<IDDTracker> tracker = std::move(m_tracker);
    if (tracker)
        tracker->EndDrag(cancelled);
    tracker.reset();
    if (m_onEnd)
        m_onEnd(cancelled);
    deleteLater();
}

void CDragSession::Drop(bool cancelled) { End(cancelled); }

bool CDragSession::eventFilter(QObject* watched, QEvent* event)
{
    // Events sent while the tracker works (a drop reparents and hides
    // windows) are not the user's: they neither move nor end the drag.
    if (m_ended || m_busy || !m_tracker || !m_owner)
        return false;
    const QScopedValueRollback<bool> busy(m_busy, true);
    switch (event->type()) {
    case QEvent::MouseMove: {
        if (!watched->isWidgetType())
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_buttonHeld && mouse->buttons() == Qt::NoButton) {
            // The button went up where no release reached us.
            End(false);
            return false;
        }
        const QPoint p = m_owner->mapFromGlobal(mouse->globalPosition().toPoint());
        m_tracker->OnMove(p.x(), p.y());
        if (!m_owner)
            End(false);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!watched->isWidgetType())
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint p = m_owner->mapFromGlobal(mouse->globalPosition().toPoint());
        if (mouse->button() == Qt::RightButton)
            m_tracker->OnDropRightButton(p.x(), p.y());
        else
            m_tracker->OnDropLeftButton(p.x(), p.y());
        Drop(false);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (!watched->isWidgetType())
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint p = m_owner->mapFromGlobal(mouse->globalPosition().toPoint());
        m_tracker->OnCancelDrag(p.x(), p.y());
        End(true);
        return true;
    }
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control)
            m_tracker->OnControlKey(false);
        return false;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Control) {
            m_tracker->OnControlKey(true);
            return false;
        }
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Alt || (key->modifiers() & Qt::AltModifier)) {
            m_tracker->OnCancelDrag(0, 0);
            End(true);
            return true;
        }
        return false;
    }
    case QEvent::ApplicationDeactivate:
    case QEvent::UngrabMouse:
        End(false);
        return false;
    case QEvent::WindowDeactivate:
        if (watched == m_owner->window())
            End(false);
        return false;
    default: return false;
    }
}

}  // namespace dockwins
