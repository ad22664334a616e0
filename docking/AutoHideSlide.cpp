#include "docking/AutoHideSlide.h"

#include <QTimer>
#include <QWidget>

#include "docking/DockEvents.h"
#include "docking/core/AutoHideLayout.h"

namespace dockwins {

CAutoHideSlide::CAutoHideSlide(QWidget* pane, QObject* parent) : QObject(parent), m_pane(pane)
{
    m_timer = new QTimer(this);
    m_timer->setInterval(kAutoHideSlideMs / kAutoHideSlideSteps);
    connect(m_timer, &QTimer::timeout, this, &CAutoHideSlide::Step);
}

bool CAutoHideSlide::IsRunning() const { return m_timer->isActive(); }

void CAutoHideSlide::Place(const RECT& rect)
{
    if (m_pane)
        m_pane->setGeometry(ToQRect(rect));
}

void CAutoHideSlide::Start(const QRect& rect, int side, bool show)
{
    m_steps = AutoHideSlideSteps(ToRect(rect), side, show);
    m_showing = show;
    m_index = 0;
    if (show && !m_steps.empty()) {
        Place(m_steps[m_index++]);
        m_pane->show();
    }
    m_timer->start();
}

void CAutoHideSlide::Step()
{
    if (m_index < m_steps.size())
        Place(m_steps[m_index++]);
    if (m_index >= m_steps.size()) {
        m_timer->stop();
        if (!m_showing && m_pane)
            m_pane->hide();
    }
}

void CAutoHideSlide::Stop()
{
    // A new slide stops the running one; nothing of it is stored.
    if (!m_timer->isActive())
        return;
    m_timer->stop();
    if (!m_showing && m_pane)
        m_pane->hide();
}

}  // namespace dockwins
