#pragma once
// The window state tree: items that each store their window's state under a
// key, restore it, or fall back to a default when nothing usable was stored.
// The manager at the root keeps the main window's placement; containers name
// their children by id; adapters look after one bar or pane each.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>
#include <QRect>
#include <QString>

#include "docking/core/WindowStateRecords.h"
#include "docking/state/StateKey.h"

class QMainWindow;
class QWidget;

namespace sstate {

// The screens as the state sees them.
struct ScreenSet {
    QSize primary;            // the primary screen's size (the stored "screen size")
    std::vector<QRect> rects; // every screen's available geometry
    static ScreenSet Current();
};

// A rectangle of at least `minimum` size, moved onto the screen nearest to it
// and no larger than that screen (unless the minimum is).
QRect PlaceOnScreen(QRect rect, QSize minimum, const ScreenSet& screens);

// What every item of one store or restore shares; lives for that operation.
class IMainState {
public:
    virtual ~IMainState() = default;
    virtual float GetXRatio() const = 0;
    virtual float GetYRatio() const = 0;
    virtual const ScreenSet& Screens() const = 0;
};

class IState {
public:
    virtual ~IState() = default;
    virtual bool Store(IMainState& main, CStateKey& key) = 0;
    virtual bool Restore(IMainState& main, const CStateKey& key) = 0;
    virtual bool RestoreDefault() = 0;
};

// Children by id, from -1 counting down, visited in ascending id order.
class CContainerImpl : public IState {
public:
    // Adds the item under the next id, which it returns.
    int Add(std::shared_ptr<IState> item);
    bool Store(IMainState& main, CStateKey& key) override;
    bool Restore(IMainState& main, const CStateKey& key) override;
    bool RestoreDefault() override;

protected:
    int m_nextId = -1;
    std::map<int, std::shared_ptr<IState>> m_children;
};

// The root: the main window's placement and the container of everything else.
class CWindowStateMgr : public CContainerImpl {
public:
    // filePath: empty for the user's file. screens: null for the current ones.
    CWindowStateMgr(QMainWindow* window, QString filePath = {});

    // False when the file could not be written.
    bool StoreWindowState();
    bool RestoreWindowState();
    // What went wrong with the file in the last store or restore, as a
    // sentence for the user; empty when nothing did.
    const std::string& FileProblem() const { return m_fileProblem; }
    // Screens seen by the next store or restore (tests give a changed set).
    void SetScreenSource(std::function<ScreenSet()> source) { m_screens = std::move(source); }

    bool Store(IMainState& main, CStateKey& key) override;
    bool Restore(IMainState& main, const CStateKey& key) override;
    bool RestoreDefault() override;

private:
    QPointer<QMainWindow> m_window;
    QString m_filePath;
    std::function<ScreenSet()> m_screens;
    std::string m_fileProblem;
};

// A bar that is shown or hidden ("visible").
class CToggleWindowAdapter : public IState {
public:
    explicit CToggleWindowAdapter(QWidget* window) : m_window(window) {}
    bool Store(IMainState& main, CStateKey& key) override;
    bool Restore(IMainState& main, const CStateKey& key) override;
    bool RestoreDefault() override;

private:
    QPointer<QWidget> m_window;
};

// The tool bands: what they are now, and how to set them.
class IBandHost {
public:
    virtual ~IBandHost() = default;
    virtual std::vector<BandInfo> Bands() const = 0;
    virtual void SetBands(const std::vector<BandInfo>& bands) = 0;
    // The band that a stored style never hides.
    virtual std::uint32_t MenuBandId() const = 0;
};

// "version" and one "band<n>" per band; another version keeps the bands as they are.
class CRebarStateAdapter : public IState {
public:
    CRebarStateAdapter(std::shared_ptr<IBandHost> host, std::int64_t version = 0)
        : m_host(std::move(host)), m_version(version)
    {
    }
    bool Store(IMainState& main, CStateKey& key) override;
    bool Restore(IMainState& main, const CStateKey& key) override;
    bool RestoreDefault() override { return true; }

private:
    std::shared_ptr<IBandHost> m_host;
    std::int64_t m_version;
};

}  // namespace sstate
