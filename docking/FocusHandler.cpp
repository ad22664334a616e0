#include "docking/FocusHandler.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "docking/AutoHidePane.h"
#include "docking/DockingWindow.h"

namespace dockwins {

namespace {

QWidget* ParentWidgetOf(QWidget* const& w) { return w ? w->parentWidget() : nullptr; }

}  // namespace

bool CDockingFocusHandler::HasCaption(QWidget* const& w)
{
    // A tab of a box has no caption of its own: the box's shows its focus;
    // a pinned window's is drawn by the auto-hide pane.
    if (const auto* window = qobject_cast<CTabbedAutoHideDockingWindow*>(w))
        return !window->IsInBox() && window->HasOwnCaption();
    return qobject_cast<CAutoHidePane*>(w) != nullptr;
}

void CDockingFocusHandler::RecordCaption(void* window)
{
    auto* owner = static_cast<QWidget*>(window);
    if (!owner)
        return;
    QWidget* focus = QApplication::focusWidget();
    Watch(owner);
    Watch(focus);
    m_lastFocus.Record(owner, focus, IsStrictDescendant<QWidget*>(focus, owner, ParentWidgetOf));
}

CDockingFocusHandler::~CDockingFocusHandler() { Remove(); }

void CDockingFocusHandler::Install(void* frame)
{
    if (m_installed)
        return;
    m_installed = true;
    m_frame = static_cast<QWidget*>(frame);
    connect(qApp, &QApplication::focusChanged, this, &CDockingFocusHandler::OnFocusChanged);
    qApp->installEventFilter(this);
}

void CDockingFocusHandler::Remove()
{
    if (!m_installed)
        return;
    m_installed = false;
    if (!qApp)
        return;  // the application went first: its connections and filters with it
    disconnect(qApp, &QApplication::focusChanged, this, &CDockingFocusHandler::OnFocusChanged);
    qApp->removeEventFilter(this);
}

void CDockingFocusHandler::Watch(QWidget* w)
{
    if (w)
        connect(w, &QObject::destroyed, this, &CDockingFocusHandler::OnDestroyed, Qt::UniqueConnection);
}

void CDockingFocusHandler::OnDestroyed(QObject* object)
{
    // Only the address is used: the object is going.
    auto* w = static_cast<QWidget*>(object);
    m_lastFocus.Forget(w);
    m_activation.Forget(w);
}

void CDockingFocusHandler::OnFocusChanged(QWidget* lost, QWidget* gained)
{
    for (QWidget* owner : CaptionRepaintsForFocusChange<QWidget*>(gained, lost, ParentWidgetOf, HasCaption))
        owner->update();
    QWidget* owner = FindCaptionOwner<QWidget*>(gained, ParentWidgetOf, HasCaption);
    if (owner && IsStrictDescendant<QWidget*>(gained, owner, ParentWidgetOf)) {
        Watch(owner);
        Watch(gained);
        m_lastFocus.FocusChanged(owner, gained, true);
    }
}

bool CDockingFocusHandler::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // A click into a caption-bearing window gives the focus back to the
        // control it last had; a click on a control then focuses that one.
        auto* w = qobject_cast<QWidget*>(watched);
        QWidget* owner = FindCaptionOwner<QWidget*>(w, ParentWidgetOf, HasCaption);
        if (!owner || !m_lastFocus.Has(owner) || (m_frame && owner->window() != m_frame && !owner->isWindow()))
            break;
        QWidget* target = m_lastFocus.FocusTarget(owner, ParentWidgetOf);
        QWidget* focus = QApplication::focusWidget();
        if (!IsStrictDescendant<QWidget*>(focus, owner, ParentWidgetOf) && target && target->isVisible())
            target->setFocus(Qt::MouseFocusReason);
        break;
    }
    case QEvent::WindowDeactivate:
        if (watched == m_frame.data()) {
            Watch(QApplication::focusWidget());
            m_activation.Deactivated(QApplication::focusWidget());
        }
        break;
    case QEvent::WindowActivate:
        if (watched == m_frame.data()) {
            if (QWidget* back = m_activation.Activated(m_frame.data(), ParentWidgetOf); back && back->isVisible())
                back->setFocus(Qt::ActiveWindowFocusReason);
        }
        break;
    default: break;
    }
    return false;
}

}  // namespace dockwins
