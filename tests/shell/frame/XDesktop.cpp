#include "XDesktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cstdlib>

namespace {

std::vector<unsigned long> WindowsOf(Display* display, Window window, const char* property)
{
    std::vector<unsigned long> windows;
    if (!display)
        return windows;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, property, False);
    if (XGetWindowProperty(display, window, atom, 0, 4096, False, XA_WINDOW, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        windows.assign(ids, ids + count);
    }
    if (data)
        XFree(data);
    return windows;
}

}  // namespace

std::string CXDesktop::Unavailable()
{
    if (const char* why = std::getenv("QUILLIX_NO_DISPLAY_REASON"); why && *why)
        return why;
    if (!std::getenv("DISPLAY"))
        return "no X display: these tests run through ctest, which gives them Xvfb with a window manager (tests/harness/xvfb-session.sh)";
    return {};
}

CXDesktop::CXDesktop() : m_display(XOpenDisplay(nullptr)) {}

CXDesktop::~CXDesktop()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool CXDesktop::HasWindowManager() const
{
    return m_display && !WindowsOf(m_display, DefaultRootWindow(m_display), "_NET_SUPPORTING_WM_CHECK").empty();
}

std::vector<unsigned long> CXDesktop::Stacking() const
{
    return m_display ? WindowsOf(m_display, DefaultRootWindow(m_display), "_NET_CLIENT_LIST_STACKING")
                     : std::vector<unsigned long>{};
}

bool CXDesktop::IsManaged(unsigned long window) const
{
    const auto stacking = Stacking();
    return std::find(stacking.begin(), stacking.end(), window) != stacking.end();
}

bool CXDesktop::IsAbove(unsigned long upper, unsigned long lower) const
{
    const auto stacking = Stacking();
    const auto u = std::find(stacking.begin(), stacking.end(), upper);
    const auto l = std::find(stacking.begin(), stacking.end(), lower);
    return u != stacking.end() && l != stacking.end() && u > l;
}

unsigned long CXDesktop::ActiveWindow() const
{
    const auto active =
        m_display ? WindowsOf(m_display, DefaultRootWindow(m_display), "_NET_ACTIVE_WINDOW") : std::vector<unsigned long>{};
    return active.empty() ? 0 : active.front();
}

void CXDesktop::MovePointer(int x, int y)
{
    if (!m_display)
        return;
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
    XFlush(m_display);
}

void CXDesktop::Click(int x, int y)
{
    if (!m_display)
        return;
    XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XFlush(m_display);
}

void CXDesktop::Key(const char* name)
{
    if (!m_display)
        return;
    const KeyCode code = XKeysymToKeycode(m_display, XStringToKeysym(name));
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XFlush(m_display);
}
