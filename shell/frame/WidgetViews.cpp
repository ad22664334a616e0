#include "shell/frame/WidgetViews.h"

#include "keypad/CalcDisplayWindow.h"
#include "keypad/CalcEdit.h"

std::string CEditEntryLine::GetText() const { return m_edit.GetText(); }
bool CEditEntryLine::SetText(const std::string& text, bool startOver) { return m_edit.SetText(text, startOver); }
void CEditEntryLine::Clear(bool startOver) { m_edit.Clear(startOver); }
bool CEditEntryLine::TypeChar(char c) { return m_edit.TypeChar(c); }
void CEditEntryLine::Backspace() { m_edit.Backspace(); }
void CEditEntryLine::Negate() { m_edit.Negate(); }
void CEditEntryLine::ScrollHome() { m_edit.ScrollHome(); }
void CEditEntryLine::ScrollEnd() { m_edit.ScrollEnd(); }
void CEditEntryLine::ScrollLeft() { m_edit.ScrollLeft(); }
void CEditEntryLine::ScrollRight() { m_edit.ScrollRight(); }
void CEditEntryLine::SetErrorText(const std::string& text) { m_edit.SetErrorText(text); }
std::string CEditEntryLine::ErrorText() const { return m_edit.Model().ErrorText(); }
bool CEditEntryLine::IsStartOver() const { return m_edit.IsStartOver(); }
void CEditEntryLine::SetStartOver(bool startOver) { m_edit.SetStartOver(startOver); }
int CEditEntryLine::MaxDigits() const { return m_edit.MaxDigits(); }
void CEditEntryLine::SetMaxDigits(int digits) { m_edit.SetMaxDigits(digits); }
void CEditEntryLine::SetOpenParenShown(bool shown) { m_edit.SetOpenParenShown(shown); }

void CWindowDisplayPanel::SetMessage(const std::string& text) { m_display.SetMessage(text); }
void CWindowDisplayPanel::ClearMessage() { m_display.ClearMessage(); }
void CWindowDisplayPanel::ShowMessageString(unsigned id) { m_display.ShowMessageString(id); }
void CWindowDisplayPanel::SetErrorDetail(const std::string& text) { m_display.SetErrorDetail(text); }
void CWindowDisplayPanel::ClearErrorDetail() { m_display.ClearErrorDetail(); }
void CWindowDisplayPanel::ShowBusy() { m_display.ShowBusy(); }
void CWindowDisplayPanel::HideBusy() { m_display.HideBusy(); }
void CWindowDisplayPanel::ShowCancelling() { m_display.ShowCancelling(); }
void CWindowDisplayPanel::HideCancelling() { m_display.HideCancelling(); }
