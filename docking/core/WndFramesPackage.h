#pragma once
// The package of one docked bar: the docking windows across the bar, each
// inserted at the outline of a drop or at a stored fraction of its length.

#include <memory>

#include "docking/core/DockRequest.h"
#include "docking/core/FramesPackage.h"
#include "docking/core/IFrame.h"

namespace dockwins {

class CWndFramesPackage : public CWndFramesPackageBase {
public:
    using CWndFramesPackageBase::CWndFramesPackageBase;

    // Code 1 in a bar: the room test against the package rectangle; the
    // outline is stretched across the bar and stays where it is along it.
    bool IsDockable(DockRequest& request, const MINMAXINFO& windowMin) const;
    // Code 2: in front of the frame under the outline's leading edge, or after
    // it when that edge lies beyond the frame's first third.
    bool InsertAtOutline(std::unique_ptr<IFrame> frame, const RECT& outline);
    // Code 5: at the stored fraction. A stored extent (`storedExtent`) comes
    // back whole with the frame's bar added; otherwise the height is the size
    // with the bar. The size is kept to [window minimum, package length].
    bool InsertAtFraction(std::unique_ptr<IFrame> frame, float fraction, unsigned height, int minAlong,
                          bool storedExtent);
    bool Remove(WindowHandle window);
    // Code 4: fraction and height of the request's window; bit 2 when alone.
    bool GetDockingPosition(DockRequest& request) const;
    // Code 8: another frame in the same place (its position as a whole pixel).
    bool Replace(WindowHandle window, std::unique_ptr<IFrame> frame);
};

}  // namespace dockwins
