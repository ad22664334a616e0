#include "shell/frame/FrameMenuHosts.h"

#include "keypad/CalcDisplayWindow.h"
#include "keypad/CalcEdit.h"
#include "keypad/CalcWindow.h"
#include "shell/frame/PaneHost.h"

CFrameMenuState::CFrameMenuState(const CFrameController& controller, const CCalcWindow* calcWindow,
                                 const CPaneHost& panes)
    : CControllerMenuState(controller), m_calcWindow(calcWindow), m_panes(panes)
{
}

std::optional<int> CFrameMenuState::GetKeypadAngle() const
{
    if (!m_calcWindow)
        return std::nullopt;
    return m_calcWindow->AngleSetting();
}

CRecordSelectionState CFrameMenuState::GetRecordSelection() const { return m_panes.GetRecordState(); }

CListPaneState CFrameMenuState::GetPaneState(PaneId pane) const { return m_panes.GetPaneState(pane); }

CFrameOptionsHost::CFrameOptionsHost(CFrameController& controller, CCalcWindow* calcWindow, CPaneHost& panes,
                                     QWidget* dialogOwner)
    : CControllerOptionsHost(controller), m_calcWindow(calcWindow), m_panes(panes), m_dialogOwner(dialogOwner)
{
}

std::optional<int> CFrameOptionsHost::RunCustomMaxDigitsDialog(int currentDigits)
{
    return m_panes.RunCustomMaxDigitsDialog(currentDigits, m_dialogOwner);
}

void CFrameOptionsHost::SetKeypadAngle(int angle)
{
    if (!m_calcWindow)
        return;
    if (angle == 1)
        m_calcWindow->SetRadians();
    else if (angle == 2)
        m_calcWindow->SetGrads();
    else
        m_calcWindow->SetDegrees();
}

void CFrameOptionsHost::RefreshDigitGrouping()
{
    if (m_calcWindow)
        m_calcWindow->Edit()->Reformat();
    m_panes.RefreshTexts();
}

void CFrameOptionsHost::ApplyColorScheme()
{
    m_panes.ApplyColorScheme();
    if (m_calcWindow)
        m_calcWindow->Display()->ApplyColorScheme();
}
