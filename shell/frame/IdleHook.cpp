#include "shell/frame/IdleHook.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>

CIdleHook::CIdleHook(std::function<void()> handler, QObject* parent) : QObject(parent), m_handler(std::move(handler))
{
    if (auto* app = QCoreApplication::instance())
        app->installEventFilter(this);
    if (auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CIdleHook::RunIfDirty);
}

CIdleHook::~CIdleHook()
{
    if (auto* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void CIdleHook::RunIfDirty()
{
    if (!m_dirty || m_running || !m_handler)
        return;
    m_dirty = false;
    m_running = true;
    m_handler();
    m_running = false;
}

bool CIdleHook::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::HoverMove:
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::Timer:
        break;  // the caret blink and paints leave the states as they are
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::FocusIn:
    case QEvent::WindowActivate:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Close:
    case QEvent::MetaCall:
    case QEvent::Drop:
        m_dirty = true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
