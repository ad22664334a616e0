#include "docking/state/WindowState.h"

#include <algorithm>
#include <climits>

#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>

#include "docking/DockEvents.h"
#include "docking/DockingScreens.h"

namespace sstate {

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kMainWindow = QStringLiteral("Main Window");
const QString kScreenWidth = QStringLiteral("SM_CXSCREEN");
const QString kScreenHeight = QStringLiteral("SM_CYSCREEN");
const QString kPlacement = QStringLiteral("placement");
const QString kVisible = QStringLiteral("visible");
const QString kVersion = QStringLiteral("version");

class CMainState final : public IMainState {
public:
    CMainState(float x, float y, ScreenSet screens) : m_x(x), m_y(y), m_screens(std::move(screens)) {}
    float GetXRatio() const override { return m_x; }
    float GetYRatio() const override { return m_y; }
    const ScreenSet& Screens() const override { return m_screens; }

private:
    float m_x;
    float m_y;
    ScreenSet m_screens;
};

std::int64_t DistanceSquared(const QRect& a, const QRect& b)
{
    const auto gap = [](int lo1, int hi1, int lo2, int hi2) -> std::int64_t {
        if (hi1 < lo2)
            return static_cast<std::int64_t>(lo2) - hi1;
        if (hi2 < lo1)
            return static_cast<std::int64_t>(lo1) - hi2;
        return 0;
    };
    const std::int64_t dx = gap(a.left(), a.right(), b.left(), b.right());
    const std::int64_t dy = gap(a.top(), a.bottom(), b.top(), b.bottom());
    return dx * dx + dy * dy;
}

}  // namespace

ScreenSet ScreenSet::Current()
{
    ScreenSet set;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        set.primary = primary->geometry().size();
    // The areas the floating windows are placed on while the program runs.
    for (const dockwins::RECT& area : dockwins::ScreenAreas())
        set.rects.push_back(dockwins::ToQRect(area));
    return set;
}

QRect PlaceOnScreen(QRect rect, QSize minimum, const ScreenSet& screens)
{
    // Coordinates far outside any screen are pulled in before any arithmetic.
    constexpr int kFar = 1 << 24;
    rect = QRect(std::clamp(rect.left(), -kFar, kFar), std::clamp(rect.top(), -kFar, kFar),
                 std::clamp(rect.width(), 0, kFar), std::clamp(rect.height(), 0, kFar));
    rect.setSize(rect.size().expandedTo(minimum));
    if (screens.rects.empty())
        return rect;
    const QRect* best = &screens.rects.front();
    std::int64_t bestArea = -1;
    std::int64_t bestDistance = INT64_MAX;
    for (const QRect& s : screens.rects) {
        const QRect common = s.intersected(rect);
        const std::int64_t area = common.isEmpty() ? 0 : static_cast<std::int64_t>(common.width()) * common.height();
        const std::int64_t distance = DistanceSquared(s, rect);
        if (area > bestArea || (area == bestArea && distance < bestDistance)) {
            best = &s;
            bestArea = area;
            bestDistance = distance;
        }
    }
    const QRect& s = *best;
    // No larger than that screen, unless its minimum says so.
    rect.setSize(rect.size().boundedTo(s.size()).expandedTo(minimum));
    const int left = std::max(s.left(), std::min(rect.left(), s.left() + s.width() - rect.width()));
    const int top = std::max(s.top(), std::min(rect.top(), s.top() + s.height() - rect.height()));
    rect.moveTo(left, top);
    return rect;
}

// ------------------------------------------------------------------ container

int CContainerImpl::Add(std::shared_ptr<IState> item)
{
    const int id = m_nextId--;
    m_children[id] = std::move(item);
    return id;
}

bool CContainerImpl::Store(IMainState& main, CStateKey& key)
{
    for (auto& [id, child] : m_children) {
        CStateKey sub = key.Sub(IdName(id));
        child->Store(main, sub);
    }
    return true;
}

bool CContainerImpl::Restore(IMainState& main, const CStateKey& key)
{
    for (auto& [id, child] : m_children) {
        if (key.HasSub(IdName(id)))
            child->Restore(main, key.Sub(IdName(id)));
        else
            child->RestoreDefault();
    }
    return true;
}

bool CContainerImpl::RestoreDefault()
{
    for (auto& [id, child] : m_children)
        child->RestoreDefault();
    return true;
}

// ------------------------------------------------------------------ manager

CWindowStateMgr::CWindowStateMgr(QMainWindow* window, QString filePath)
    : m_window(window), m_filePath(std::move(filePath)), m_screens(&ScreenSet::Current)
{
}

bool CWindowStateMgr::StoreWindowState()
{
    CStateFile file(m_filePath);
    const ScreenSet screens = m_screens();
    CStateKey root = file.Root();
    CStateKey general = root.Sub(kGeneral);
    general.WriteInt(kScreenWidth, screens.primary.width());
    general.WriteInt(kScreenHeight, screens.primary.height());
    CMainState main(1.0f, 1.0f, screens);
    CStateKey mainKey = root.Sub(kMainWindow);
    Store(main, mainKey);
    const bool stored = file.Sync();
    m_fileProblem = file.StoreProblem();
    return stored;
}

bool CWindowStateMgr::RestoreWindowState()
{
    CStateFile file(m_filePath);
    m_fileProblem = file.ReadProblem();
    const ScreenSet screens = m_screens();
    const CStateKey root = file.Root();
    if (!file.RootExists() || !root.HasSub(kGeneral) || !root.HasSub(kMainWindow)) {
        RestoreDefault();
        return false;
    }
    const CStateKey general = root.Sub(kGeneral);
    CMainState main(ScreenRatio(general.ReadInt(kScreenWidth), screens.primary.width()),
                    ScreenRatio(general.ReadInt(kScreenHeight), screens.primary.height()), screens);
    return Restore(main, root.Sub(kMainWindow));
}

bool CWindowStateMgr::Store(IMainState& main, CStateKey& key)
{
    if (m_window) {
        const bool maximized = m_window->isMaximized();
        QRect normal = m_window->normalGeometry();
        if (!normal.isValid() || normal.isEmpty())
            normal = m_window->geometry();
        key.WriteBinary(kPlacement, PlacementForStore(dockwins::ToRect(normal), maximized).ToBytes());
    }
    return CContainerImpl::Store(main, key);
}

bool CWindowStateMgr::Restore(IMainState& main, const CStateKey& key)
{
    const auto bytes = key.ReadBinary(kPlacement, WindowPlacement::kSize);
    const auto placement = bytes ? WindowPlacement::FromBytes(*bytes) : std::nullopt;
    if (!placement || !m_window) {
        CContainerImpl::RestoreDefault();
        return false;
    }
    // The placement is never scaled; it is only kept on a screen and at the window's minimum.
    const QRect normal = PlaceOnScreen(dockwins::ToQRect(placement->normal), m_window->minimumSize(), main.Screens());
    Qt::WindowStates state = m_window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    m_window->setWindowState(state);
    m_window->setGeometry(normal);
    if (RestoresMaximized(placement->showCmd))
        m_window->setWindowState(state | Qt::WindowMaximized);
    // The bars are placed in the client area of the restored size.
    if (QLayout* layout = m_window->layout())
        layout->activate();
    CContainerImpl::Restore(main, key);
    return true;
}

bool CWindowStateMgr::RestoreDefault() { return CContainerImpl::RestoreDefault(); }

// ------------------------------------------------------------------ bars

bool CToggleWindowAdapter::Store(IMainState&, CStateKey& key)
{
    if (!m_window)
        return false;
    // Relative to its window: a bar of a window in the tray still counts as shown.
    key.WriteInt(kVisible, m_window->isHidden() ? 0 : 1);
    return true;
}

bool CToggleWindowAdapter::Restore(IMainState&, const CStateKey& key)
{
    const auto visible = key.ReadInt(kVisible);
    if (!visible || !m_window)
        return RestoreDefault();
    m_window->setVisible(*visible != 0);
    return true;
}

bool CToggleWindowAdapter::RestoreDefault()
{
    if (m_window)
        m_window->setVisible(true);
    return true;
}

bool CRebarStateAdapter::Store(IMainState&, CStateKey& key)
{
    key.WriteInt(kVersion, m_version);
    const std::vector<BandInfo> bands = m_host->Bands();
    for (std::size_t n = 0; n < bands.size(); ++n)
        key.WriteBinary(QStringLiteral("band") + QString::number(n), bands[n].ToBytes());
    return true;
}

bool CRebarStateAdapter::Restore(IMainState&, const CStateKey& key)
{
    if (key.ReadInt(kVersion) != m_version)
        return false;
    const std::vector<BandInfo> current = m_host->Bands();
    std::vector<std::optional<BandInfo>> stored;
    for (std::size_t n = 0; n < current.size(); ++n) {
        const auto bytes = key.ReadBinary(QStringLiteral("band") + QString::number(n), BandInfo::kSize);
        stored.push_back(bytes ? BandInfo::FromBytes(*bytes) : std::nullopt);
    }
    m_host->SetBands(RestoreBands(current, stored, m_host->MenuBandId()));
    return true;
}

}  // namespace sstate
