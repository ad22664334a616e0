#pragma once
// Boost Serialization of WindowSettings.

#include "settings/WindowSettings.h"

#include <boost/serialization/nvp.hpp>
#include <boost/serialization/version.hpp>

BOOST_CLASS_VERSION(WindowSettings, WindowSettings::kClassVersion)

template <class Archive>
void WindowSettings::serialize(Archive& ar, unsigned int /*version*/)
{
    ar & BOOST_SERIALIZATION_NVP(m_bHistoryWinAndVarWinDocked);
    ar & BOOST_SERIALIZATION_NVP(m_nHistoryWinIndex);
    ar & BOOST_SERIALIZATION_NVP(m_bHistoryWinOnTop);
    ar & BOOST_SERIALIZATION_NVP(m_bHistoryWinHidden);
    ar & BOOST_SERIALIZATION_NVP(m_bVariablesWinHidden);
    ar & BOOST_SERIALIZATION_NVP(m_nHistoryValueColWidth);
    ar & BOOST_SERIALIZATION_NVP(m_nVariablesVarNameColWidth);
    ar & BOOST_SERIALIZATION_NVP(m_nVariablesValueColWidth);
    ar & BOOST_SERIALIZATION_NVP(m_nCalcRecordWindowEntryColWidth);
    ar & BOOST_SERIALIZATION_NVP(m_nCalcRecordWindowResultColWidth);
}
