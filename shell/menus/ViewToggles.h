#pragma once
// The View menu's toggles: 59392 shows or hides the toolbar, 59393 the status
// bar; each check mark follows the bar's new visibility.

#include <QPointer>
#include <QWidget>

class CCommandActions;

class CViewToggles {
public:
    CViewToggles(CCommandActions& actions, QWidget* toolBar, QWidget* statusBar);

    // Runs 59392 or 59393; false for any other id.
    bool OnCommand(unsigned id);
    void ToggleToolbar();
    void ToggleStatusBar();
    // Sets both checks from the bars' visibility (after the window is shown).
    void SyncChecks();

private:
    void Toggle(QWidget* bar, unsigned id);

    CCommandActions& m_actions;
    QPointer<QWidget> m_toolBar;
    QPointer<QWidget> m_statusBar;
};
