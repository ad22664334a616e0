#include "shell/frame/WidgetViews.h"

#include "keypad/CalcDisplayWindow.h"

void CWindowDisplayPanel::SetMessage(const std::string& text) { m_display.SetMessage(text); }
void CWindowDisplayPanel::ClearMessage() { m_display.ClearMessage(); }
void CWindowDisplayPanel::ShowMessageString(unsigned id) { m_display.ShowMessageString(id); }
void CWindowDisplayPanel::SetErrorDetail(const std::string& text) { m_display.SetErrorDetail(text); }
void CWindowDisplayPanel::ClearErrorDetail() { m_display.ClearErrorDetail(); }
void CWindowDisplayPanel::ShowBusy() { m_display.ShowBusy(); }
void CWindowDisplayPanel::HideBusy() { m_display.HideBusy(); }
void CWindowDisplayPanel::ShowCancelling() { m_display.ShowCancelling(); }
void CWindowDisplayPanel::HideCancelling() { m_display.HideCancelling(); }
