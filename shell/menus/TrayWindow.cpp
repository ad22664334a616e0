#include "shell/menus/TrayWindow.h"

#include <QMetaObject>

void CWidgetTrayWindow::HideWindow()
{
    if (m_window)
        m_window->hide();
}

void CWidgetTrayWindow::MinimizeWindow()
{
    if (m_window)
        m_window->showMinimized();
}

void CWidgetTrayWindow::ShowRestoreAndActivate()
{
    if (!m_window)
        return;
    m_window->show();
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
}

void CWidgetTrayWindow::PostClose()
{
    if (m_window)
        QMetaObject::invokeMethod(m_window.data(), &QWidget::close, Qt::QueuedConnection);
}
