#pragma once
// Painting of the flat tab strip: its background, one tab, and the close and
// scroll buttons. Shapes follow the window-system drawing rules (1-pixel
// lines, no antialiasing); the numbers come from docking/core/TabLayout.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

class QPainter;

namespace dockwins {

// Colours and fonts of one paint.
struct TabPaintContext {
    QColor background;     // the strip
    QColor buttonFace;
    QColor shadow;
    QColor light;
    QColor text;           // button text
    QColor inactiveText;   // tabs that are not selected, and the buttons
    QColor selectedText;
    QColor selectedFill;
    QColor highlight;
    QColor highlightedText;
    QColor hotText;
    QFont normalFont;
    QFont selectedFont;
    int imageOffset = 0;
};

// Item drawing states.
enum TabItemState : unsigned {
    kTabItemSelected = 1,
    kTabItemHot = 64,
    kTabItemHighlighted = 128,
};

enum class TabButtonLook { Normal, Hot, Pressed };

struct TabItemPaint {
    QRect rect;         // the tab, in the painter's coordinates
    QRect stripRect;    // the whole strip
    unsigned state = 0; // TabItemState bits
    bool bottom = true; // tabs along the bottom edge
    bool nextIsSelected = false;
    QString text;
    QIcon icon;
    int iconSize = 16;
};

void PaintTabStripBackground(QPainter& painter, const TabPaintContext& context, const QRect& strip, unsigned style);
void PaintTabItem(QPainter& painter, const TabPaintContext& context, const TabItemPaint& item);
// An X of two 2-pixel diagonals, one pixel down and right while pressed.
void PaintTabCloseButton(QPainter& painter, const TabPaintContext& context, const QRect& button, TabButtonLook look);
// A triangle pointing right or left, filled when scrolling that way is possible.
void PaintTabScrollButton(QPainter& painter, const TabPaintContext& context, const QRect& button, bool right,
                          bool enabled, TabButtonLook look);

}  // namespace dockwins
