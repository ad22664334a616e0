#pragma once
// The pure side of following the keyboard focus through docked windows: when
// a caption counts as active, which captions a focus change repaints, the
// control each caption-bearing window last had focused, where the focus goes
// after a close and after the frame is activated again. `W` is a window handle
// that compares and tests false when null; `parentOf` gives a window's parent
// (null at the top).

#include <functional>
#include <map>
#include <vector>

namespace dockwins {

template <class W>
using ParentOf = std::function<W(const W&)>;

// True when `window` lies strictly below `ancestor`.
template <class W>
bool IsStrictDescendant(W window, const W& ancestor, const ParentOf<W>& parentOf) {
    if (!window || !ancestor)
        return false;
    for (window = parentOf(window); window; window = parentOf(window)) {
        if (window == ancestor)
            return true;
    }
    return false;
}

// A caption is drawn active while the focus is strictly inside its window; the
// window itself holding the focus does not count. One predicate for the band
// and the buttons.
template <class W>
bool IsCaptionActive(const W& focus, const W& captionWindow, const ParentOf<W>& parentOf) {
    return IsStrictDescendant(focus, captionWindow, parentOf);
}

// The nearest caption-bearing window at or above `window` (null: none).
template <class W>
W FindCaptionOwner(W window, const ParentOf<W>& parentOf, const std::function<bool(const W&)>& hasCaption) {
    for (; window; window = parentOf(window)) {
        if (hasCaption(window))
            return window;
    }
    return W{};
}

// The caption windows to repaint after the focus moved from `lost` to `gained`:
// the gaining window's owner, then the losing one's, each once.
template <class W>
std::vector<W> CaptionRepaintsForFocusChange(const W& gained, const W& lost, const ParentOf<W>& parentOf,
                                             const std::function<bool(const W&)>& hasCaption) {
    std::vector<W> windows;
    for (const W& w : {gained, lost}) {
        const W owner = FindCaptionOwner(w, parentOf, hasCaption);
        if (owner && (windows.empty() || !(windows.front() == owner)))
            windows.push_back(owner);
    }
    return windows;
}

// Per caption-bearing window, the control inside it that last had the focus.
template <class W>
class CLastFocusMap {
public:
    // The focus went to `gained`, which lies in caption window `owner`
    // (FindCaptionOwner). Only a control strictly inside is remembered.
    void FocusChanged(const W& owner, const W& gained, bool gainedStrictlyInside) {
        if (owner && gainedStrictlyInside)
            m_map[owner] = gained;
    }

    // A caption was painted: an entry for its window is made when it has none,
    // holding the focus when that lies strictly inside, else null.
    void Record(const W& owner, const W& focus, bool focusStrictlyInside) {
        if (owner && m_map.find(owner) == m_map.end())
            m_map[owner] = focusStrictlyInside ? focus : W{};
    }

    // A window is destroyed: it is neither a key nor ever given the focus back.
    void Forget(const W& destroyed) {
        m_map.erase(destroyed);
        for (auto& entry : m_map) {
            if (entry.second == destroyed)
                entry.second = W{};
        }
    }

    bool Has(const W& owner) const { return m_map.find(owner) != m_map.end(); }

    W Remembered(const W& owner) const {
        const auto found = m_map.find(owner);
        return found == m_map.end() ? W{} : found->second;
    }

    // Where a click into `owner` puts the focus: the remembered control while
    // it is still inside, else the window itself (which hands it to its client).
    W FocusTarget(const W& owner, const ParentOf<W>& parentOf) const {
        const W remembered = Remembered(owner);
        if (remembered && IsStrictDescendant(remembered, owner, parentOf))
            return remembered;
        return owner;
    }

private:
    std::map<W, W> m_map;
};

// After a close by a caption button: the focus goes back only when the close
// moved it.
enum class FocusAfterClose {
    Leave,        // the focus did not move
    Restore,      // back to the window that had it
    TopLevel,     // that window is gone or hidden: the top-level window
};

template <class W>
FocusAfterClose ChooseFocusAfterClose(const W& before, const W& after, bool beforeAliveAndVisible) {
    if (before == after)
        return FocusAfterClose::Leave;
    return (before && beforeAliveAndVisible) ? FocusAfterClose::Restore : FocusAfterClose::TopLevel;
}

// The focus across a deactivation of the frame and its return.
template <class W>
class CActivationFocus {
public:
    void Deactivated(const W& focus) { m_remembered = focus; }
    void Forget(const W& destroyed) {
        if (m_remembered == destroyed)
            m_remembered = W{};
    }
    // The window to focus when the frame is activated again: the remembered
    // one while it is still below the frame, else null (leave it to the system).
    W Activated(const W& frame, const ParentOf<W>& parentOf) const {
        return IsStrictDescendant(m_remembered, frame, parentOf) ? m_remembered : W{};
    }
    W Remembered() const { return m_remembered; }

private:
    W m_remembered{};
};

}  // namespace dockwins
