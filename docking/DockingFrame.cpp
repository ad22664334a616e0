#include "docking/DockingFrame.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>

#include <algorithm>

CDockingFrame::CDockingFrame(QWidget* parent) : QMainWindow(parent)
{
    m_center = new QWidget(this);
    m_centerLayout = new QHBoxLayout(m_center);
    m_centerLayout->setContentsMargins(0, 0, 0, 0);
    m_centerLayout->setSpacing(5);  // the splitter bar between column and client

    m_column = new QWidget(m_center);
    m_columnLayout = new QVBoxLayout(m_column);
    m_columnLayout->setContentsMargins(0, 0, 0, 0);
    m_columnLayout->setSpacing(5);
    m_column->hide();  // until a pane is docked
    m_centerLayout->addWidget(m_column);
    setCentralWidget(m_center);
}

void CDockingFrame::SetClientWindow(QWidget* client)
{
    if (m_client)
        m_centerLayout->removeWidget(m_client);
    m_client = client;
    if (client) {
        client->setParent(m_center);
        m_centerLayout->addWidget(client, 1);
        client->show();
    }
}

bool CDockingFrame::DockWindow(QWidget* pane, const QString& caption, unsigned /*sideFlags*/, int /*barIndex*/,
                               float /*fraction*/, int width, int height)
{
    if (!pane)
        return false;
    auto* box = new QFrame(m_column);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* title = new QLabel(caption.trimmed(), box);
    title->setObjectName("dockCaption");
    title->setContentsMargins(4, 2, 4, 2);
    title->setAutoFillBackground(true);
    title->setBackgroundRole(QPalette::Mid);
    title->setForegroundRole(QPalette::BrightText);
    layout->addWidget(title);
    pane->setParent(box);
    layout->addWidget(pane, 1);
    pane->show();
    m_columnLayout->addWidget(box, std::max(1, height));
    if (m_panes.empty())
        m_column->setFixedWidth(width);
    m_panes.emplace_back(pane);
    m_boxes.emplace_back(box);
    m_column->show();
    return true;
}

void CDockingFrame::SetPaneVisible(QWidget* pane, bool visible)
{
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i] == pane && m_boxes[i])
            m_boxes[i]->setVisible(visible);
}

bool CDockingFrame::IsPaneVisible(const QWidget* pane) const
{
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i] == pane && m_boxes[i])
            return !m_boxes[i]->isHidden();
    return false;
}
