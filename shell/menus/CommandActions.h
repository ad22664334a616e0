#pragma once
// The QActions of the action table, one per command id, with their texts,
// shortcuts and radio groups; the menus, the toolbar and the tray menu all
// show these same actions. Implements IMenuView, so the idle pass enables,
// checks and renames them. A triggered action is reported by its command id.

#include <QObject>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "shell/menus/MenuState.h"

class QAction;
class QActionGroup;
class QMenu;

class CCommandActions : public QObject, public IMenuView {
    Q_OBJECT
public:
    // The actions are children of parent (the main window).
    explicit CCommandActions(QObject* parent = nullptr);

    QAction* Action(unsigned id) const;
    QActionGroup* Group(RadioGroup group) const;
    std::vector<QAction*> AllActions() const;

    // A menu built for one of the table's menus; EnableSubmenu grays it.
    void RegisterMenu(Submenu menu, QMenu* qmenu, const std::vector<unsigned>& commands);
    QMenu* Menu(Submenu menu) const;

    // IMenuView
    void EnableCommand(unsigned id, bool enabled) override;
    void CheckRadio(unsigned id) override;
    void ClearRadio(RadioGroup group) override;
    void SetCommandText(unsigned id, const std::string& text) override;
    void EnableSubmenu(Submenu menu, bool enabled) override;

    // Whether the command's own state (not its menu's) is enabled.
    bool IsCommandEnabled(unsigned id) const;

signals:
    void commandTriggered(unsigned id);

private:
    void ApplyEnabled(unsigned id);

    std::map<unsigned, QAction*> m_actions;
    std::map<RadioGroup, QActionGroup*> m_groups;
    std::map<Submenu, QMenu*> m_menus;
    std::map<unsigned, std::set<Submenu>> m_menusOfCommand;
    std::set<unsigned> m_disabledCommands;
    std::set<Submenu> m_disabledMenus;
};
