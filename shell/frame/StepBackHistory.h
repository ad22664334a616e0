#pragma once
// The frame's step-back history: one entry per accepted number and one per
// operation, so that stepping back can put the entry line back as it was.

#include <boost/serialization/nvp.hpp>

#include <deque>
#include <string>

struct StepBackHistoryEntry {
    enum Type : int {
        Number = 0,     // a number taken from the entry line (typed, pasted, from a pane)
        Constant = 1,   // pi or e as the constant keys put it there
        Operation = 2,  // operator, function, parenthesis or equals
    };

    int sbType = Operation;
    std::string calcEditEntry;  // the entry text of the step ("0" for "(")

    bool operator==(const StepBackHistoryEntry&) const = default;

    template <class Archive>
    void serialize(Archive& ar, unsigned int /*version*/)
    {
        ar& boost::serialization::make_nvp("sbType", sbType);
        ar& boost::serialization::make_nvp("calcEditEntry", calcEditEntry);
    }
};

using StepBackHistory = std::deque<StepBackHistoryEntry>;
