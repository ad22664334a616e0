#pragma once
// Owner of the variables pane: the main frame implements it.

#include <string>

class CPaneImageList;

class IVariablesParent {
public:
    virtual ~IVariablesParent() = default;

    virtual void AddAsNewEntry(const std::string& text) = 0;
    // As IHistoryParent::BeginItemDrag.
    virtual void BeginItemDrag(const CPaneImageList& images, int imageIndex, int screenX,
                               int screenY, const std::string& text) = 0;
    virtual bool IsOverDropTarget(int screenX, int screenY) = 0;
    // The entry line's current Max Digits.
    virtual int GetMaxDigits() = 0;
    virtual bool CanAcceptEntry() = 0;
};
