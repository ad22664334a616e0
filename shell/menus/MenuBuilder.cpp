#include "shell/menus/MenuBuilder.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "shell/menus/ActionTable.h"
#include "shell/menus/CommandActions.h"
#include "shell/menus/MenuCommandIds.h"

namespace {

void FillMenu(QMenu& menu, const CMenuEntry& entry, CCommandActions& actions)
{
    std::vector<unsigned> direct;
    for (const CMenuEntry& child : entry.children) {
        switch (child.kind) {
        case CMenuEntry::Kind::Separator:
            menu.addSeparator();
            break;
        case CMenuEntry::Kind::Command:
            if (QAction* action = actions.Action(child.id)) {
                menu.addAction(action);
                direct.push_back(child.id);
            }
            break;
        case CMenuEntry::Kind::Menu: {
            QMenu* sub = menu.addMenu(QString::fromStdString(child.text));
            FillMenu(*sub, child, actions);
            break;
        }
        }
    }
    actions.RegisterMenu(entry.menu, &menu, direct);
}

QIcon ToolIcon(unsigned id)
{
    QStyle* style = QApplication::style();
    switch (id) {
    case menucmd::kFileOpen: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case menucmd::kFileSave: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case menucmd::kCopy: return QIcon::fromTheme(QStringLiteral("edit-copy"));
    case menucmd::kPaste: return QIcon::fromTheme(QStringLiteral("edit-paste"));
    case menucmd::kHelpContents: return style->standardIcon(QStyle::SP_DialogHelpButton);
    default: return {};
    }
}

}  // namespace

void BuildMenuBar(QMenuBar& menuBar, CCommandActions& actions)
{
    for (const CMenuEntry& entry : MenuBarLayout()) {
        QMenu* menu = menuBar.addMenu(QString::fromStdString(entry.text));
        FillMenu(*menu, entry, actions);
    }
}

void BuildToolBar(QToolBar& toolBar, CCommandActions& actions)
{
    toolBar.setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (unsigned id : ToolBarLayout()) {
        if (id == 0) {
            toolBar.addSeparator();
            continue;
        }
        QAction* action = actions.Action(id);
        if (!action)
            continue;
        if (action->icon().isNull())
            action->setIcon(ToolIcon(id));
        toolBar.addAction(action);
    }
}

QMenu* BuildTrayMenu(CCommandActions& actions, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    FillMenu(*menu, TrayMenuLayout().front(), actions);
    return menu;
}
