#include "shell/frame/ModelViews.h"

bool CModelEntryLine::SetText(const std::string& text, bool startOver)
{
    const bool ok = m_model.SetText(text, startOver);
    Changed();
    return ok;
}

void CModelEntryLine::Clear(bool startOver)
{
    m_model.Clear(startOver);
    Changed();
}

bool CModelEntryLine::TypeChar(char c)
{
    const bool taken = m_model.TypeChar(c);
    Changed();  // a refused character may leave a message to show
    return taken;
}

void CModelEntryLine::Backspace()
{
    m_model.Backspace();
    Changed();
}

void CModelEntryLine::Negate()
{
    m_model.Negate();
    Changed();
}

void CModelEntryLine::ScrollHome()
{
    m_model.ScrollHome();
    Changed();
}

void CModelEntryLine::ScrollEnd()
{
    m_model.ScrollEnd();
    Changed();
}

void CModelEntryLine::ScrollLeft()
{
    m_model.ScrollLeft();
    Changed();
}

void CModelEntryLine::ScrollRight()
{
    m_model.ScrollRight();
    Changed();
}

void CModelEntryLine::SetErrorText(const std::string& text)
{
    if (m_model.SetErrorText(text))
        Changed();
}

void CModelEntryLine::SetMaxDigits(int digits)
{
    m_model.SetMaxDigits(digits);
    Changed();
}

void CModelEntryLine::SetOpenParenShown(bool shown)
{
    if (m_model.SetOpenParenShown(shown))
        Changed();
}
