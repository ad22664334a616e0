#pragma once
// The saved form of the engine's state and of the calculation record: Boost
// Serialization of CInnerCalc, CCalcRecord and everything they hold.
//
// The serialize functions are defined once, in EngineSerialization.cpp, for
// the XML archives, together with the export keys of the seven undo records
// (their bare class names). Every archive of these classes therefore links
// that translation unit, and with it the keys.
//
// Loading is all or nothing: CInnerCalc and CCalcRecord read into staging
// objects, check them, and only then take them over. A check that fails raises
// EngineStateError and leaves the object as it was.

#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/serialization/tracking.hpp>

#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/CalcRecord.h"
#include "engine/EvalData.h"
#include "engine/EvalStackHolder.h"
#include "engine/InnerCalc.h"
#include "engine/ModifyInnerCalc.h"

// A loaded state that the engine could not work with.
class EngineStateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The classes held by shared pointer are tracked wherever they are saved, so
// that shared objects come back shared; this is part of the file format and
// does not depend on what else the program serializes.
BOOST_CLASS_TRACKING(Number, boost::serialization::track_always)
BOOST_CLASS_TRACKING(EvalData, boost::serialization::track_always)
BOOST_CLASS_TRACKING(EvalStackHolder, boost::serialization::track_always)
BOOST_CLASS_TRACKING(CalcRecordEntry, boost::serialization::track_always)
BOOST_CLASS_TRACKING(ModifyInnerCalc, boost::serialization::track_always)

// Limits of a loaded state.
inline constexpr int kMaxSavedParenDepth = 25;          // levels - 1
inline constexpr std::size_t kMaxSavedNumberText = 2200;  // characters of a number
inline constexpr std::int64_t kMaxSavedNumberDigits = 2048;
inline constexpr std::int64_t kMaxSavedNumberExponent = 999999;

// Whether text is a saved number within the limits above.
bool IsSavedNumberText(std::string_view text);

// The top-level items of a saved calculation that the engine owns.
void SaveCalcRecord(boost::archive::xml_oarchive& archive, const CCalcRecord& record);    // "CCalcRecord"
void LoadCalcRecord(boost::archive::xml_iarchive& archive, CCalcRecord& record);
void SaveInnerCalc(boost::archive::xml_oarchive& archive, const CInnerCalc& calc);        // "CInnerCalc"
void LoadInnerCalc(boost::archive::xml_iarchive& archive, CInnerCalc& calc);

// Checks a state as the engine's entry rules leave it: entry types and
// states in range, operator codes 0 to 8, each level with an allowed shape,
// at most 25 parenthesis levels, no null pointers where a value must be.
// Returns an empty text, or what is wrong.
std::string CheckEngineState(int prevEntryType, int calcState,
                             const std::deque<std::shared_ptr<EvalStackHolder>>& masterStack,
                             const std::deque<std::shared_ptr<ModifyInnerCalc>>& stepBackStack);
