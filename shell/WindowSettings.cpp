#include "shell/WindowSettings.h"

#include <stdexcept>

WindowSettings& WindowSettings::Instance()
{
    static WindowSettings settings;
    return settings;
}

bool WindowSettings::SetDefaults()
{
    m_bHistoryWinAndVarWinDocked = false;
    m_nHistoryWinIndex = kDefaultHistoryWinIndex;
    m_bHistoryWinOnTop = false;
    m_nHistoryValueColWidth = kDefaultHistoryValueColWidth;
    m_nVariablesVarNameColWidth = kDefaultVariablesVarNameColWidth;
    m_nVariablesValueColWidth = kDefaultVariablesValueColWidth;
    m_nCalcRecordWindowEntryColWidth = kDefaultCalcRecordEntryColWidth;
    m_nCalcRecordWindowResultColWidth = kDefaultCalcRecordResultColWidth;
    return true;
}

void WindowSettings::Save(const char*) const
{
    throw std::runtime_error("Could not save window settings");
}

void WindowSettings::Load(const char*)
{
    SetDefaults();
}
