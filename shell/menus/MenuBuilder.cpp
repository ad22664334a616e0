#include "shell/menus/MenuBuilder.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolBar>

#include "resources/CommandIds.h"
#include "shell/menus/ActionTable.h"
#include "shell/menus/CommandActions.h"

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

// A sheet of paper with lines of text at (x, y), 10 x 12 pixels.
void DrawSheet(QPainter& p, qreal x, qreal y)
{
    p.setPen(QPen(QColor(0x44, 0x55, 0x66), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x + 0.5, y + 0.5, 9, 11));
    p.setPen(QPen(QColor(0x88, 0x99, 0xAA), 1));
    for (int line = 0; line < 3; ++line)
        p.drawLine(QPointF(x + 2.5, y + 3.5 + 2.5 * line), QPointF(x + 7.5, y + 3.5 + 2.5 * line));
}

// Copy: two sheets; paste: a sheet on a clipboard. Drawn, as the desktop's
// icon theme may have neither.
QIcon DrawnIcon(bool paste)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (paste) {
        p.setPen(QPen(QColor(0x6B, 0x4A, 0x22), 1));
        p.setBrush(QColor(0xC8, 0x96, 0x4B));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1.5, 1.5);
        p.setBrush(QColor(0x90, 0x90, 0x90));
        p.drawRect(QRectF(4.5, 1.5, 4, 2));
        DrawSheet(p, 5, 4);
    } else {
        DrawSheet(p, 1, 1);
        DrawSheet(p, 5, 4);
    }
    return QIcon(pixmap);
}

QIcon ToolIcon(unsigned id)
{
    QStyle* style = QApplication::style();
    switch (id) {
    case menucmd::kFileOpen: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case menucmd::kFileSave: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case menucmd::kCopy: return QIcon::fromTheme(QStringLiteral("edit-copy"), DrawnIcon(false));
    case menucmd::kPaste: return QIcon::fromTheme(QStringLiteral("edit-paste"), DrawnIcon(true));
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
