#pragma once
// Boost Serialization of ConfigOptions: include where an archive reads or
// writes the record, so that its class version is known there.

#include "settings/ConfigOptions.h"

#include <boost/serialization/deque.hpp>
#include <boost/serialization/map.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/version.hpp>

BOOST_CLASS_VERSION(ConfigOptions, ConfigOptions::kClassVersion)

template <class Archive>
void ConfigOptions::serialize(Archive& ar, unsigned int version)
{
    using boost::serialization::make_nvp;
    ar & BOOST_SERIALIZATION_NVP(m_historyItems);
    ar & BOOST_SERIALIZATION_NVP(m_variables);
    ar & BOOST_SERIALIZATION_NVP(m_varSequence);
    ar & BOOST_SERIALIZATION_NVP(m_piCalcBtnCmdID);
    ar & BOOST_SERIALIZATION_NVP(m_sinCalcBtnCmdID);
    ar & BOOST_SERIALIZATION_NVP(m_cosCalcBtnCmdID);
    ar & BOOST_SERIALIZATION_NVP(m_tanCalcBtnCmdID);
    ar & BOOST_SERIALIZATION_NVP(m_xSquaredCalcBtnCmdID);
    ar & BOOST_SERIALIZATION_NVP(m_nCrCalcBtnCmdID);
    ar & BOOST_SERIALIZATION_NVP(m_sqrtCalcBtnCmdID);
    if (version >= 1)
        ar & BOOST_SERIALIZATION_NVP(m_sciCalcBtnCmdID);
    if (version >= 2)
        ar & BOOST_SERIALIZATION_NVP(m_divCalcBtnCmdID);
    ar & BOOST_SERIALIZATION_NVP(m_colorScheme);
    // The atomic goes through a plain int, which keeps the item an "int".
    int angle = m_angleSetting.load();
    ar & make_nvp("m_angleSetting", angle);
    if constexpr (Archive::is_loading::value)
        m_angleSetting.store(angle);
    if (version >= 3)
        ar & BOOST_SERIALIZATION_NVP(m_digitGrouping);
    ar & BOOST_SERIALIZATION_NVP(m_nSigDigits);
}
