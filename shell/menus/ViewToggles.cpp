#include "shell/menus/ViewToggles.h"

#include <QAction>

#include "resources/CommandIds.h"
#include "shell/menus/CommandActions.h"

CViewToggles::CViewToggles(CCommandActions& actions, QWidget* toolBar, QWidget* statusBar)
    : m_actions(actions), m_toolBar(toolBar), m_statusBar(statusBar)
{
}

bool CViewToggles::OnCommand(unsigned id)
{
    if (id == menucmd::kViewToolbar)
        ToggleToolbar();
    else if (id == menucmd::kViewStatusBar)
        ToggleStatusBar();
    else
        return false;
    return true;
}

void CViewToggles::ToggleToolbar() { Toggle(m_toolBar, menucmd::kViewToolbar); }
void CViewToggles::ToggleStatusBar() { Toggle(m_statusBar, menucmd::kViewStatusBar); }

void CViewToggles::Toggle(QWidget* bar, unsigned id)
{
    if (!bar)
        return;
    // isHidden, not isVisible: the bar of a hidden window counts as shown.
    const bool show = bar->isHidden();
    bar->setVisible(show);
    if (QAction* action = m_actions.Action(id))
        action->setChecked(show);
}

void CViewToggles::SyncChecks()
{
    if (QAction* action = m_actions.Action(menucmd::kViewToolbar))
        action->setChecked(m_toolBar && !m_toolBar->isHidden());
    if (QAction* action = m_actions.Action(menucmd::kViewStatusBar))
        action->setChecked(m_statusBar && !m_statusBar->isHidden());
}
