#pragma once
// A strip of glyph cells drawn at run time from a label table (the stand-in for
// an image list loaded from a bitmap). Drawing goes straight into the caller's
// painter, so glyphs are sharp at every device pixel ratio.

#include <QPoint>
#include <QSize>

#include "resources/GlyphLabels.h"

class QPainter;

class CGlyphList {
public:
    explicit CGlyphList(int stripId);

    QSize CellSize() const;
    int Count() const;
    int StripId() const { return m_spec ? m_spec->resourceId : 0; }

    // Draws cell index with its top-left corner at topLeft; a disabled glyph is
    // blended at 50 %. An index outside the strip draws nothing.
    void Draw(QPainter& painter, int index, QPoint topLeft, bool enabled = true) const;

private:
    const GlyphStripSpec* m_spec;
};
