#pragma once
// Builds the menu bar, the toolbar and the tray menu from the action table's
// layouts over the actions of a CCommandActions.

class CCommandActions;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// Fills menuBar with File, Edit, View, Options, Actions and Help.
void BuildMenuBar(QMenuBar& menuBar, CCommandActions& actions);
// Fills the toolbar (Open, Save, Copy, Paste, Help) with icons of the style.
void BuildToolBar(QToolBar& toolBar, CCommandActions& actions);
// The tray icon's menu ("Restore Quillix", "Exit"), owned by parent.
QMenu* BuildTrayMenu(CCommandActions& actions, QWidget* parent);
