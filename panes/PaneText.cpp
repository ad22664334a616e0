#include "panes/PaneText.h"

#include "number/EntrySyntax.h"

std::string PaneDisplayText(const std::string& stored, int digitGrouping)
{
    if (digitGrouping != 0)
        return stored;
    std::string grouped;
    if (!GroupNumberText(stored, grouped))
        return stored;
    return grouped;
}
