#pragma once
// Owner of the history pane: the main frame implements it.

#include <string>

class CPaneImageList;

class IHistoryParent {
public:
    virtual ~IHistoryParent() = default;

    virtual void AddAsNewEntry(const std::string& text) = 0;
    virtual void AddAsVariable(const std::string& text) = 0;
    // Starts the flying-item animation of images.Pixmap(imageIndex) from the
    // screen point (screenX, screenY) to the entry line; at its end the owner
    // enters text with AddAsNewEntry.
    virtual void BeginItemDrag(const CPaneImageList& images, int imageIndex, int screenX,
                               int screenY, const std::string& text) = 0;
    // True over the entry line, the keypad window or a direct child of it.
    virtual bool IsOverDropTarget(int screenX, int screenY) = 0;
    virtual bool CanAcceptEntry() = 0;
};
