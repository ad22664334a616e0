#include "shell/menus/SystemTrayIcon.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include "panes/about/ProgramInfo.h"

CSystemTrayIcon::CSystemTrayIcon(const QIcon& icon, QMenu* menu, QObject* parent)
    : QObject(parent), m_trayIcon(new QSystemTrayIcon(icon, this))
{
    m_trayIcon->setToolTip(QString::fromUtf8(kProductName));
    if (menu)
        m_trayIcon->setContextMenu(menu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (!m_controller)
            return;
        switch (reason) {
        case QSystemTrayIcon::Trigger: m_controller->OnIconActivated(TrayActivation::Click); break;
        case QSystemTrayIcon::DoubleClick: m_controller->OnIconActivated(TrayActivation::DoubleClick); break;
        case QSystemTrayIcon::MiddleClick: m_controller->OnIconActivated(TrayActivation::MiddleClick); break;
        case QSystemTrayIcon::Context: m_controller->OnIconActivated(TrayActivation::ContextMenu); break;
        default: break;
        }
    });
}

bool CSystemTrayIcon::IsTrayAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool CSystemTrayIcon::AddIcon()
{
    m_trayIcon->show();
    return m_trayIcon->isVisible();
}

void CSystemTrayIcon::RemoveIcon() { m_trayIcon->hide(); }
