#pragma once
// Follows the keyboard focus for the docking frame: repaints the captions a
// focus change concerns, remembers per caption-bearing window the control
// that last had the focus and gives it back on a click into that window, and
// keeps the focus across a deactivation of the frame.

#include <QObject>
#include <QPointer>

#include "docking/FrameSeams.h"
#include "docking/core/FocusRules.h"

class QWidget;

namespace dockwins {

class CDockingFocusHandler final : public QObject, public IFocusHandler {
    Q_OBJECT
public:
    CDockingFocusHandler() = default;
    ~CDockingFocusHandler() override;

    void Install(void* frame) override;
    void Remove() override;
    void RecordCaption(void* window) override;

    // The control the window's last focus went to (null: none remembered).
    QWidget* Remembered(QWidget* captionWindow) const { return m_lastFocus.Remembered(captionWindow); }

    // Windows that draw a caption: docking windows with their own, the
    // auto-hide pane.
    static bool HasCaption(QWidget* const& w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnFocusChanged(QWidget* lost, QWidget* gained);
    void OnDestroyed(QObject* object);
    void Watch(QWidget* w);

    QPointer<QWidget> m_frame;
    bool m_installed = false;
    CLastFocusMap<QWidget*> m_lastFocus;
    CActivationFocus<QWidget*> m_activation;
};

}  // namespace dockwins
