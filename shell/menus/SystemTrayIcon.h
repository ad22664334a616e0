#pragma once
// The tray icon over QSystemTrayIcon: the program icon, the tip "Vornel
// Quillix" and the tray menu; clicks on it are reported to a CTrayController.

#include <QObject>
#include <QIcon>

#include "shell/menus/TrayController.h"

class QMenu;
class QSystemTrayIcon;

class CSystemTrayIcon : public QObject, public ITrayIcon {
    Q_OBJECT
public:
    // menu: the tray menu (BuildTrayMenu), kept by its own parent.
    CSystemTrayIcon(const QIcon& icon, QMenu* menu, QObject* parent = nullptr);

    // Where clicks on the icon go; null to drop them.
    void SetController(CTrayController* controller) { m_controller = controller; }

    // ITrayIcon
    bool IsTrayAvailable() const override;
    bool AddIcon() override;
    void RemoveIcon() override;

    QSystemTrayIcon* TrayIcon() const { return m_trayIcon; }

private:
    QSystemTrayIcon* m_trayIcon = nullptr;
    CTrayController* m_controller = nullptr;
};
