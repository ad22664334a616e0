#include "docking/TabDockingBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>

#include "docking/DockEvents.h"
#include "docking/DockRequests.h"
#include "docking/DockingWindowOwner.h"
#include "docking/TabDropPreview.h"
#include "docking/core/CaptionGlyphs.h"
#include "docking/core/TabBoxRules.h"

namespace dockwins {

namespace {

// A window's own small icon; none when it was never given one (Qt would
// answer the application's).
QIcon OwnIcon(const QWidget* w) { return w && w->testAttribute(Qt::WA_SetWindowIcon) ? w->windowIcon() : QIcon(); }

// The docking window a request names; null for any other window.
CTabbedAutoHideDockingWindow* DockingWindowOf(WindowHandle window)
{
    return qobject_cast<CTabbedAutoHideDockingWindow*>(ToWidget(window));
}

}  // namespace

CTabDockingBox::CTabDockingBox(IDockingWindowOwner* owner) : CTabbedAutoHideDockingWindow(owner, QString())
{
    setObjectName(QStringLiteral("dockingBox"));
    m_tabs = new CFlyingTabCtrl(this, this, CFlyingTabCtrl::kBottom | CFlyingTabCtrl::kToolTips);
    m_tabs->setObjectName(QStringLiteral("dockingBoxTabs"));
    connect(m_tabs, &CFlyingTabCtrl::selChanged, this, &CTabDockingBox::OnSelChanged);
    connect(m_tabs, &CFlyingTabCtrl::tabDraggedOut, this, &CTabDockingBox::OnTabDraggedOut);
    connect(m_tabs, &CFlyingTabCtrl::doubleClicked, this, &CTabDockingBox::OnTabDoubleClicked);
    m_preview = std::make_unique<CTabDropPreview>(*m_tabs, [this] { OnSelChanged(-1, m_tabs->GetCurSel()); });
    LayoutClient();
}

CTabDockingBox::~CTabDockingBox()
{
    // The strip goes first, while this box can still hear its notifications.
    m_tabs->disconnect(this);
    delete m_tabs;
    m_tabs = nullptr;
}

int CTabDockingBox::WindowCount() const { return m_tabs ? m_tabs->GetItemCount() : 0; }

CTabbedAutoHideDockingWindow* CTabDockingBox::WindowAt(int index) const
{
    return m_tabs ? qobject_cast<CTabbedAutoHideDockingWindow*>(m_tabs->ItemWindow(index)) : nullptr;
}

int CTabDockingBox::TabIndexOf(const QWidget* window) const
{
    if (!window || !m_tabs)
        return -1;
    for (int i = 0; i < m_tabs->GetItemCount(); ++i)
        if (m_tabs->ItemWindow(i) == window)
            return i;
    return -1;
}

// ------------------------------------------------------------------ making a box

CTabDockingBox* CTabDockingBox::CreateBoxFor(CTabbedAutoHideDockingWindow& w)
{
    auto* box = new CTabDockingBox(w.Owner());
    if (w.IsDocked()) {
        if (!RequestJoinBox(w.DockedTo(), &w, box)) {
            box->PostClose(false);
            return nullptr;
        }
    } else {
        box->setGeometry(w.geometry());
        box->SetFloatingRect(ToRect(w.geometry()));
        box->show();
    }
    return box;
}

// ------------------------------------------------------------------ windows in and out

bool CTabDockingBox::AddWindow(int index, CTabbedAutoHideDockingWindow* w)
{
    if (!w || w == this || m_closing || w->IsBox() || w->isAncestorOf(this) ||
        TabIndexOf(w) >= 0 || w->IsDocked())
        return false;
    EndDropPreview();
    w->hide();
    w->setParent(this, Qt::Widget);
    CDockNotifyEvent notify(true, false, this);
    QCoreApplication::sendEvent(w, &notify);
    const QString text = w->windowTitle();
    const int at = m_tabs->InsertItem(TabBoxInsertIndex(index, WindowCount()), text, OwnIcon(w), w, true);
    if (at < 0) {
        w->setParent(Frame(), Qt::Tool | Qt::FramelessWindowHint);
        CDockNotifyEvent undocked(false, false, this);
        QCoreApplication::sendEvent(w, &undocked);
        return false;
    }
    m_tabs->SetItemToolTip(at, text);
    // The selection may have been refused: the shown window is the selected one's.
    OnSelChanged(-1, m_tabs->GetCurSel());
    return true;
}

bool CTabDockingBox::RemoveWindow(CTabbedAutoHideDockingWindow* w)
{
    const int index = TabIndexOf(w);
    if (index < 0)
        return false;
    if (m_active == w)
        m_active = nullptr;
    // The neighbour is selected with notification: it becomes the active, shown window.
    m_tabs->DeleteItem(index, true, true);
    w->hide();
    w->setParent(Frame(), Qt::Tool | Qt::FramelessWindowHint);
    CDockNotifyEvent notify(false, false, this);
    QCoreApplication::sendEvent(w, &notify);
    if (!m_active)
        OnSelChanged(-1, m_tabs->GetCurSel());
    return true;
}

void CTabDockingBox::OnSelChanged(int, int newIndex)
{
    if (!m_tabs)
        return;
    CTabbedAutoHideDockingWindow* next = WindowAt(newIndex);
    if (m_active && m_active != next)
        m_active->hide();
    m_active = next;
    // Exactly the active window is shown.
    for (int i = 0; i < m_tabs->GetItemCount(); ++i)
        if (QWidget* w = m_tabs->ItemWindow(i); w && w != next && !w->isHidden())
            w->hide();
    if (newIndex >= 0 && newIndex < m_tabs->GetItemCount()) {
        setWindowTitle(next ? next->windowTitle() : m_tabs->ItemText(newIndex));
        setWindowIcon(next ? OwnIcon(next) : m_tabs->ItemIcon(newIndex));
    }
    LayoutClient();
    if (next) {
        next->show();
        if (isVisible() && next->isVisible())
            next->setFocus(Qt::OtherFocusReason);
    }
}

void CTabDockingBox::LayoutClient()
{
    CTabbedAutoHideDockingWindow::LayoutClient();
    if (!m_tabs)
        return;
    const TabBoxRects rects = LayOutTabBox(ToRect(ClientRect()), m_tabs->Style(), m_tabs->TabHeight());
    m_tabs->setGeometry(ToQRect(rects.strip));
    if (m_active)
        m_active->setGeometry(ToQRect(rects.window));
}

void CTabDockingBox::focusInEvent(QFocusEvent* event)
{
    if (m_active && m_active->isVisible())
        m_active->setFocus(event->reason());
    QWidget::focusInEvent(event);
}

// ------------------------------------------------------------------ the strip's notices

void CTabDockingBox::OnTabDraggedOut()
{
    // The tab follows the pointer as its window's caption drag, grabbed at the
    // window's bottom-right corner, while the button is still held.
    LaterForSelected([](CTabbedAutoHideDockingWindow& w) {
        if (!w.IsInBox() || !(QGuiApplication::mouseButtons() & Qt::LeftButton))
            return;
        const QPoint corner = w.mapToGlobal(QPoint(w.width(), w.height()));
        if (w.Owner())
            w.Owner()->StartCaptionDrag(w, corner, corner);
    });
}

void CTabDockingBox::OnTabDoubleClicked()
{
    // As a double click on the selected window's caption: float it, or dock it back.
    LaterForSelected([](CTabbedAutoHideDockingWindow& w) {
        if (w.IsDocked())
            w.Float();
        else if (w.StoredPosition().target)
            w.DockBack();
    });
}

void CTabDockingBox::LaterForSelected(std::function<void(CTabbedAutoHideDockingWindow&)> action)
{
    // Queued, once the strip has finished its own handling; nothing when the
    // window has gone meanwhile.
    QPointer<CTabbedAutoHideDockingWindow> w = WindowAt(m_tabs->GetCurSel());
    if (!w)
        return;
    QMetaObject::invokeMethod(
        this,
        [w, action = std::move(action)] {
            if (w)
                action(*w);
        },
        Qt::QueuedConnection);
}

// ------------------------------------------------------------------ requests

bool CTabDockingBox::OnAcceptDock(DockRequest& request)
{
    if (!IsDockTarget(this))
        return false;
    return AddWindow(TabBoxInsertIndex(request.outline.left, WindowCount()), DockingWindowOf(request.window));
}

bool CTabDockingBox::OnSetDockingPosition(DockRequest& request)
{
    if (!IsDockTarget(this))
        return false;
    return AddWindow(TabBoxInsertIndex(request.position.tabIndex, WindowCount()), DockingWindowOf(request.window));
}

bool CTabDockingBox::OnUndock(WindowHandle window)
{
    if (!RemoveWindow(DockingWindowOf(window)))
        return false;
    if (WindowCount() <= 1)
        PostClose(true);
    if (WindowCount() == 0)
        Hide();
    return true;
}

bool CTabDockingBox::OnGetDockingPosition(DockRequest& request)
{
    const int index = TabIndexOf(DockingWindowOf(request.window));
    if (index < 0)
        return false;
    const bool found = FillOwnPosition(request);
    const TabBoxPosition place = TabBoxPositionOf(index, TabIndexOf(m_active), WindowCount());
    request.position.tabIndex = place.tabIndex;
    if (place.targetIsOtherWindow)
        request.target = WindowAt(place.otherIndex);
    if (place.active)
        request.position.sideFlags |= kSideBoxActive;
    else
        request.position.sideFlags &= ~static_cast<unsigned>(kSideBoxActive);
    return found;
}

bool CTabDockingBox::OnActivateTab(WindowHandle window)
{
    const int index = TabIndexOf(DockingWindowOf(window));
    if (index < 0)
        return false;
    m_tabs->SetCurSel(index, true);
    if (!IsVisibleWindow())
        Activate();
    return true;
}

bool CTabDockingBox::Preview(DockRequest& request)
{
    // A dragged box is previewed as one tab: dropped, all its windows come in there.
    QWidget* dragged = ToWidget(request.window);
    if (!dragged || dragged == this || dragged->isAncestorOf(this) || m_closing || !IsDockTarget(this)) {
        EndDropPreview();
        return false;
    }
    // Over the strip, or over the caption (then as at the caption's middle).
    QPoint at(request.pointer.x, request.pointer.y);
    const QPoint local = mapFromGlobal(at);
    const bool onStrip = m_tabs->rect().contains(m_tabs->mapFromGlobal(at));
    if (!onStrip) {
        if (!rect().contains(local) || HitTest(local) != CAPTION_HIT_CAPTION) {
            EndDropPreview();
            return false;
        }
        at = mapToGlobal(CaptionRect().center());
    }
    if (m_preview->Active() && m_preview->Window() != dragged)
        EndDropPreview();
    const QPoint p = m_tabs->mapFromGlobal(at);
    if (!m_preview->Active() &&
        !m_preview->Begin(dragged, TabIndexOf(dragged), dragged->windowTitle(), OwnIcon(dragged), p))
        return false;
    request.target = this;
    request.outline = TabBoxDropOutline(m_preview->Move(p));
    return true;
}

void CTabDockingBox::EndDropPreview()
{
    if (m_preview)
        m_preview->End();
}

bool CTabDockingBox::HasPreview() const { return m_preview && m_preview->Active(); }

// ------------------------------------------------------------------ the box's own moves

bool CTabDockingBox::DockBox(DockRequest& request)
{
    QWidget* target = ToWidget(request.target);
    // Never onto itself or into one of its own windows.
    if (!target || target == this || isAncestorOf(target) || m_closing)
        return false;
    if (!IsBoxWindow(target))
        return RequestAcceptDock(target, request);
    if (!IsDockTarget(target))
        return false;
    // Taken before the tabs go: removing the active window clears it.
    QPointer<CTabbedAutoHideDockingWindow> active = m_active;
    for (int i = WindowCount() - 1; i >= 0; --i) {
        CTabbedAutoHideDockingWindow* w = WindowAt(i);
        if (!w) {
            m_tabs->DeleteItem(i, true, false);
            continue;
        }
        RemoveWindow(w);
        DockRequest moved = request;
        moved.window = w;
        if (!RequestAcceptDock(target, moved))
            w->FloatAfterRefusal();
    }
    if (active)
        RequestActivateTab(target, active);
    PostClose(false);
    return true;
}

bool CTabDockingBox::PinBox(bool show)
{
    // Not docked, the position has no side and no width to pin with.
    if (m_closing || !IsDocked() || !Frame())
        return false;
    DockRequest position;
    position.window = this;
    position.target = DockedTo();
    if (!GetDockingPosition(position))
        return false;
    // Taken before the tabs go: removing the active window clears it.
    QPointer<CTabbedAutoHideDockingWindow> active = m_active;
    if (!Undock())
        return false;
    std::vector<QPointer<CTabbedAutoHideDockingWindow>> windows;
    for (int i = 0; i < WindowCount(); ++i)
        if (CTabbedAutoHideDockingWindow* w = WindowAt(i))
            windows.emplace_back(w);
    for (int i = WindowCount() - 1; i >= 0; --i) {
        if (CTabbedAutoHideDockingWindow* w = WindowAt(i))
            RemoveWindow(w);
        else
            m_tabs->DeleteItem(i, true, false);
    }
    std::vector<WindowHandle> handles;
    for (const auto& w : windows)
        if (w)
            handles.push_back(w.data());
    bool answer = false;
    if (!handles.empty()) {
        PinToSideRequest pin;
        pin.window = active ? active.data() : ToWidget(handles.front());
        pin.sideFlags = position.position.sideFlags;
        pin.width = position.position.width;
        pin.show = show;
        pin.windows = handles;
        answer = RequestPinToSide(Frame(), pin);
        if (!answer) {
            // Nobody took them: they float, never lost.
            for (const auto& w : windows)
                if (w)
                    w->FloatAfterRefusal();
        }
    }
    PostClose(false);
    return answer;
}

void CTabDockingBox::CloseByButton() { PostClose(false); }

void CTabDockingBox::PostClose(bool dissolve)
{
    QMetaObject::invokeMethod(this, [this, dissolve] { CloseBox(dissolve); }, Qt::QueuedConnection);
}

void CTabDockingBox::CloseBox(bool dissolve)
{
    if (m_closing)
        return;
    EndDropPreview();
    switch (ChooseTabBoxClose(dissolve, WindowCount(), m_active != nullptr)) {
    case TabBoxClose::Nothing: return;
    case TabBoxClose::CloseActive: {
        QPointer<CTabbedAutoHideDockingWindow> closing = m_active;
        const int next = TabBoxNextAfterClose(TabIndexOf(m_active), WindowCount());
        if (next >= 0)
            m_tabs->SetCurSel(next, true);
        if (closing)
            closing->CloseByButton();
        return;
    }
    case TabBoxClose::HideBox: CTabbedAutoHideDockingWindow::CloseByButton(); return;
    case TabBoxClose::DissolveIntoLast: Dissolve(); return;
    case TabBoxClose::Destroy: Destroy(); return;
    }
}

void CTabDockingBox::Dissolve()
{
    CTabbedAutoHideDockingWindow* w = WindowAt(0);
    if (!w) {
        Destroy();
        return;
    }
    const bool shown = IsVisibleWindow();
    const QRect place = geometry();
    RemoveWindow(w);
    if (IsDocked()) {
        // The last window takes the box's place in its bar.
        if (!RequestJoinBox(DockedTo(), this, w))
            w->FloatAfterRefusal();
    } else if (shown) {
        w->SetFloatingRect(ToRect(place));
        w->setGeometry(place);
        w->show();
    } else {
        // A hidden box: its window keeps the box's place to come back to,
        // and floats where the box floated.
        w->RememberPosition(StoredPosition(), StoredTarget());
        if (!FloatingRect().IsEmpty()) {
            w->SetFloatingRect(FloatingRect());
            w->setGeometry(ToQRect(FloatingRect()));
        }
    }
    Destroy();
}

void CTabDockingBox::Destroy()
{
    if (IsDocked())
        Undock();
    m_closing = true;
    hide();
    deleteLater();
}

}  // namespace dockwins
