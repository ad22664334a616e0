#pragma once
// Emits a signal from the event loop, never from inside the caller: the
// stand-in for posting a window message.

#include <QMetaObject>
#include <QObject>
#include <utility>

template <class Object, class Emit>
void PostToEventLoop(Object* object, Emit emitter)
{
    QMetaObject::invokeMethod(object, std::move(emitter), Qt::QueuedConnection);
}
