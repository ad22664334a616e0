#pragma once
// A drag in progress as the event-driven drag session drives it: begin, one
// call per pointer move, a drop or a cancel, and the end.

namespace dockwins {

class IDDTracker {
public:
    virtual ~IDDTracker() = default;
    virtual void BeginDrag() = 0;
    virtual void EndDrag(bool cancelled) = 0;
    virtual void OnMove(int x, int y) = 0;
    virtual void OnCancelDrag(int x, int y) = 0;
    virtual void OnDrop(int x, int y) = 0;
    virtual void OnDropRightButton(int x, int y) { OnDrop(x, y); }
    virtual void OnDropLeftButton(int x, int y) { OnDrop(x, y); }
    // The Ctrl key went down or up during the drag.
    virtual void OnControlKey(bool /*down*/) {}
};

}  // namespace dockwins
