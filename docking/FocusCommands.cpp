#include "docking/FocusCommands.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "docking/core/FocusRules.h"

namespace dockwins {

void RestoreFocusAfterCommand(QWidget* before, QWidget* topLevel)
{
    QWidget* after = QApplication::focusWidget();
    switch (ChooseFocusAfterClose<QWidget*>(before, after, before && before->isVisible())) {
    case FocusAfterClose::Leave: break;
    case FocusAfterClose::Restore: before->setFocus(); break;
    case FocusAfterClose::TopLevel:
        if (topLevel)
            topLevel->setFocus();
        break;
    }
}

namespace {

// Waits on a window for its activation, then focuses the target once.
class CFocusOnActivation final : public QObject {
public:
    CFocusOnActivation(QWidget* window, QWidget* target) : QObject(target), m_window(window), m_target(target)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window.data() && event->type() == QEvent::WindowActivate) {
            // Object filters run after the application's: the focus handler
            // has given back its remembered control by now.
            if (m_target && m_target->isVisible() && m_target->window() == m_window)
                m_target->setFocus(Qt::ActiveWindowFocusReason);
            m_window->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_target;
};

}  // namespace

void FocusAndActivate(QWidget* target)
{
    if (!target)
        return;
    QWidget* window = target->window();
    target->setFocus(Qt::OtherFocusReason);
    if (window->isActiveWindow())
        return;
    // The latest command's focus wins (user-interface thread only).
    static QPointer<CFocusOnActivation> waiting;
    delete waiting.data();
    waiting = new CFocusOnActivation(window, target);
    window->activateWindow();
}

}  // namespace dockwins
