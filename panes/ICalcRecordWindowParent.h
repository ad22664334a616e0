#pragma once
// Owner of the record window: the main frame implements it.

#include <string>

class ICalcRecordWindowParent {
public:
    virtual ~ICalcRecordWindowParent() = default;

    // Puts text on the entry line as a new number entry.
    virtual void AddAsNewEntry(const std::string& text) = 0;
    // Opens the variables pane's add dialog with text as the value.
    virtual void AddAsVariable(const std::string& text) = 0;
    // Steps the calculation back by count entries (count >= 1).
    virtual void StepBackTo(int count) = 0;
    virtual bool CanAcceptEntry() = 0;
    virtual bool IsCalculating() = 0;
    virtual bool IsCancelPending() = 0;
};
