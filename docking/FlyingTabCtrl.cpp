#include "docking/FlyingTabCtrl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>

#include "docking/DragSession.h"
#include "docking/core/TabLayout.h"

namespace dockwins {

// Hands the drag session's calls to the strip; owned by the session.
class CFlyingTabCtrl::TabDragTracker final : public IDDTracker {
public:
    explicit TabDragTracker(CFlyingTabCtrl& ctrl) : m_ctrl(&ctrl) {}
    void BeginDrag() override {}
    void EndDrag(bool) override {
        if (m_ctrl)
            m_ctrl->TabDragEnded();
    }
    void OnMove(int x, int y) override {
        // May end the session, which deletes this tracker: nothing after it.
        if (m_ctrl)
            m_ctrl->TabDragMove({x, y});
    }
    void OnCancelDrag(int, int) override {}
    void OnDrop(int, int) override {}

private:
    QPointer<CFlyingTabCtrl> m_ctrl;
};

CFlyingTabCtrl::CFlyingTabCtrl(QWidget* parent, ITabCtrlOwner* owner, unsigned style)
    : CDotNetTabCtrl(parent, owner, style)
{
    UpdateTabHeight();
}

CFlyingTabCtrl::~CFlyingTabCtrl()
{
    if (m_session)
        m_session->Abandon();
}

void CFlyingTabCtrl::UpdateTabHeight()
{
    m_tabHeight = TabStripHeight(QFontMetrics(font()).ascent());
    updateGeometry();
}

QSize CFlyingTabCtrl::sizeHint() const { return {CDotNetTabCtrl::sizeHint().width(), m_tabHeight}; }
QSize CFlyingTabCtrl::minimumSizeHint() const { return {0, m_tabHeight}; }

void CFlyingTabCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        UpdateTabHeight();
    CDotNetTabCtrl::changeEvent(event);
}

int CFlyingTabCtrl::Along(const QPoint& p) const { return (Style() & kVertical) ? p.y() : p.x(); }

void CFlyingTabCtrl::mousePressEvent(QMouseEvent* event)
{
    m_dragPending = false;
    CDotNetTabCtrl::mousePressEvent(event);
    // Only the selected tab flies: the box tears out the selected tab's window.
    if (event->button() == Qt::LeftButton && PressedIndex() >= 0 && PressedIndex() == GetCurSel() && !m_session) {
        m_dragPending = true;
        m_dragStart = event->position().toPoint();
    }
}

void CFlyingTabCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragPending) {
        CDotNetTabCtrl::mouseMoveEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        m_dragPending = false;
        CDotNetTabCtrl::mouseMoveEvent(event);
        return;
    }
    if ((p - m_dragStart).manhattanLength() < QApplication::startDragDistance())
        return;  // not a drag yet
    m_dragPending = false;
    const int dragged = GetCurSel();
    if (dragged < 0)
        return;
    m_tabDrag.Begin(dragged, Along(m_dragStart));
    m_session = CDragSession::Start(this, std::make_unique<TabDragTracker>(*this));
    if (!m_session) {
        m_tabDrag.Cancel();
        return;
    }
    TabDragMove(p);
}

void CFlyingTabCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragPending = false;
    CDotNetTabCtrl::mouseReleaseEvent(event);
}

void CFlyingTabCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only a double click on a tab counts here, and only with a selection:
    // the box acts on the selected tab's window.
    if (event->button() == Qt::LeftButton && (HitTest(event->position().toPoint()) < 0 || GetCurSel() < 0))
        return;
    CDotNetTabCtrl::mouseDoubleClickEvent(event);
}

void CFlyingTabCtrl::TabDragMove(const QPoint& p)
{
    if (!m_tabDrag.Active())
        return;
    unsigned flags = 0;
    int hit = HitTest(p, &flags);
    if (flags != TAB_HIT_ITEM)
        hit = -1;
    const CTabDrag::Step step = m_tabDrag.OnMove(hit, Along(p));
    switch (step.action) {
    case CTabDrag::Action::None: break;
    case CTabDrag::Action::Swap:
        SwapItems(step.first, step.second, true, false);
        SetCurSel(step.second, true);
        break;
    case CTabDrag::Action::TearOut: {
        // The drag ends here; the box then starts the torn-out window's own
        // move while the button is still held.
        const QPointer<CFlyingTabCtrl> self(this);
        if (m_session)
            m_session->Abandon();  // deletes the tracker that called us
        if (self)
            emit self->tabDraggedOut();
        break;
    }
    }
}

void CFlyingTabCtrl::EndDrags()
{
    m_dragPending = false;
    if (m_session)
        m_session->Abandon();
    CDotNetTabCtrl::EndDrags();
}

void CFlyingTabCtrl::TabDragEnded()
{
    m_tabDrag.End();
    m_session = nullptr;
}

}  // namespace dockwins
