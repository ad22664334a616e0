#include "shell/ConfigOptions.h"

#include <stdexcept>

ConfigOptions& ConfigOptions::Instance()
{
    static ConfigOptions options;
    return options;
}

bool ConfigOptions::SetDefaults()
{
    m_piCalcBtnCmdID = kDefaultPiCmdID;
    m_sinCalcBtnCmdID = kDefaultSinCmdID;
    m_cosCalcBtnCmdID = kDefaultCosCmdID;
    m_tanCalcBtnCmdID = kDefaultTanCmdID;
    m_xSquaredCalcBtnCmdID = kDefaultXSquaredCmdID;
    m_nCrCalcBtnCmdID = kDefaultNCrCmdID;
    m_sqrtCalcBtnCmdID = kDefaultSqrtCmdID;
    m_sciCalcBtnCmdID = kDefaultSciCmdID;
    m_divCalcBtnCmdID = kDefaultDivCmdID;
    m_angleSetting = 0;
    m_digitGrouping = 2;
    m_nSigDigits = kDefaultSigDigits;
    return true;
}

void ConfigOptions::Save(const char*) const
{
    throw std::runtime_error("Could not save config options");
}

void ConfigOptions::Load(const char*)
{
    SetDefaults();
}
