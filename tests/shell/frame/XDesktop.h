#pragma once
// The X desktop as the window manager sees it, read through Xlib for the
// tests that run on a display of their own (Xvfb with openbox, started by
// tests/harness/test-env.sh --xvfb): the stacking order of the managed
// windows, the active window, and real pointer input (XTest).

#include <string>
#include <vector>

class CXDesktop {
public:
    // Why the X tests cannot run here (no display, no window manager
    // package); empty when they can.
    static std::string Unavailable();

    CXDesktop();
    ~CXDesktop();
    CXDesktop(const CXDesktop&) = delete;
    CXDesktop& operator=(const CXDesktop&) = delete;

    bool IsOpen() const { return m_display != nullptr; }
    // The window manager has announced itself on the root window.
    bool HasWindowManager() const;
    // The managed client windows, bottom to top (_NET_CLIENT_LIST_STACKING).
    std::vector<unsigned long> Stacking() const;
    // True when both windows are managed and `upper` is stacked above `lower`.
    bool IsAbove(unsigned long upper, unsigned long lower) const;
    bool IsManaged(unsigned long window) const;
    // _NET_ACTIVE_WINDOW.
    unsigned long ActiveWindow() const;
    // Real pointer input: a move to a screen point, a click of the left button there.
    void MovePointer(int x, int y);
    void Click(int x, int y);
    // A real press and release of a key, by its X name ("F5").
    void Key(const char* name);

private:
    struct _XDisplay* m_display = nullptr;
};
