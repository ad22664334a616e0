#include "shell/menus/NumLockIndicator.h"

#include <QGuiApplication>

#if defined(QUILLIX_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>
#if QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#define QUILLIX_NUMLOCK_FROM_X11 1
#endif
#endif

bool CNumLockIndicator::IsNumLockOn() const
{
#if defined(QUILLIX_NUMLOCK_FROM_X11)
    if (!qGuiApp)
        return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    static const Atom numLockAtom = XInternAtom(display, "Num Lock", False);
    Bool on = False;
    if (numLockAtom == None || !XkbGetNamedIndicator(display, numLockAtom, nullptr, &on, nullptr, nullptr))
        return false;
    return on == True;
#else
    return false;
#endif
}
