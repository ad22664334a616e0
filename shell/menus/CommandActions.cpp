#include "shell/menus/CommandActions.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>

#include "shell/menus/ActionTable.h"

CCommandActions::CCommandActions(QObject* parent) : QObject(parent)
{
    for (const CActionSpec& spec : ActionSpecs()) {
        auto* action = new QAction(QString::fromStdString(spec.text), this);
        action->setData(spec.id);
        QList<QKeySequence> keys;
        for (const std::string& key : spec.shortcuts)
            keys.append(QKeySequence(QString::fromStdString(key), QKeySequence::PortableText));
        action->setShortcuts(keys);
        if (spec.radio != RadioGroup::None) {
            QActionGroup*& group = m_groups[spec.radio];
            if (!group) {
                group = new QActionGroup(this);
                // The scheme group may be left without a mark ("Smooth Blue 2").
                group->setExclusionPolicy(spec.radio == RadioGroup::ColorScheme
                                              ? QActionGroup::ExclusionPolicy::ExclusiveOptional
                                              : QActionGroup::ExclusionPolicy::Exclusive);
            }
            action->setCheckable(true);
            group->addAction(action);
        } else if (spec.checkable) {
            action->setCheckable(true);
        }
        const unsigned id = spec.id;
        connect(action, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
        m_actions[id] = action;
    }
}

QAction* CCommandActions::Action(unsigned id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QActionGroup* CCommandActions::Group(RadioGroup group) const
{
    auto it = m_groups.find(group);
    return it == m_groups.end() ? nullptr : it->second;
}

std::vector<QAction*> CCommandActions::AllActions() const
{
    std::vector<QAction*> actions;
    for (const auto& [id, action] : m_actions)
        actions.push_back(action);
    return actions;
}

void CCommandActions::RegisterMenu(Submenu menu, QMenu* qmenu, const std::vector<unsigned>& commands)
{
    m_menus[menu] = qmenu;
    for (unsigned id : commands)
        m_menusOfCommand[id].insert(menu);
}

QMenu* CCommandActions::Menu(Submenu menu) const
{
    auto it = m_menus.find(menu);
    return it == m_menus.end() ? nullptr : it->second;
}

void CCommandActions::EnableCommand(unsigned id, bool enabled)
{
    if (enabled)
        m_disabledCommands.erase(id);
    else
        m_disabledCommands.insert(id);
    ApplyEnabled(id);
}

void CCommandActions::CheckRadio(unsigned id)
{
    if (QAction* action = Action(id); action && action->isCheckable() && !action->isChecked())
        action->setChecked(true);
}

void CCommandActions::ClearRadio(RadioGroup group)
{
    QActionGroup* actions = Group(group);
    if (!actions)
        return;
    for (QAction* action : actions->actions())
        if (action->isChecked())
            action->setChecked(false);
}

void CCommandActions::SetCommandText(unsigned id, const std::string& text)
{
    QAction* action = Action(id);
    const QString qtext = QString::fromStdString(text);
    if (action && action->text() != qtext)
        action->setText(qtext);
}

void CCommandActions::EnableSubmenu(Submenu menu, bool enabled)
{
    const bool wasEnabled = !m_disabledMenus.count(menu);
    if (enabled)
        m_disabledMenus.erase(menu);
    else
        m_disabledMenus.insert(menu);
    if (QMenu* qmenu = Menu(menu))
        qmenu->menuAction()->setEnabled(enabled);
    if (wasEnabled == enabled)
        return;
    for (const auto& [id, menus] : m_menusOfCommand)
        if (menus.count(menu))
            ApplyEnabled(id);
}

bool CCommandActions::IsCommandEnabled(unsigned id) const { return !m_disabledCommands.count(id); }

void CCommandActions::ApplyEnabled(unsigned id)
{
    QAction* action = Action(id);
    if (!action)
        return;
    bool enabled = IsCommandEnabled(id);
    // A command shown in several menus (Exit) stays usable while any of
    // them is; one shown in a grayed menu only is inert, shortcut included.
    auto it = m_menusOfCommand.find(id);
    if (enabled && it != m_menusOfCommand.end() && !it->second.empty()) {
        bool inEnabledMenu = false;
        for (Submenu menu : it->second)
            inEnabledMenu = inEnabledMenu || !m_disabledMenus.count(menu);
        enabled = inEnabledMenu;
    }
    if (action->isEnabled() != enabled)
        action->setEnabled(enabled);
}
