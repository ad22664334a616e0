#pragma once
// Cutting a caption or label text to its room: what to draw, where, and the
// clip rectangle. The text is UTF-16 (the widgets hand in their strings'
// storage); cuts fall only on the character boundaries given.

#include "docking/core/Rect.h"

#include <cstddef>
#include <functional>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace dockwins {

// Measures the advance of a piece of text in the current font; a negative
// answer means the measurement failed.
using TextMeasure = std::function<int(std::u16string_view)>;

struct EllipsisText {
    bool draw = false;      // false: nothing is drawn at all
    std::u16string text;    // what is drawn (clipped to `clip`)
    POINT origin;       // top-left of the text run (the run's start for turned text)
    RECT clip;
};

// Offsets at which `text` may be cut: every code point start plus the end
// (a surrogate pair is never split). Widgets that know grapheme clusters pass
// those instead.
std::vector<std::size_t> CodePointBoundaries(std::u16string_view text);

// When the text is longer than the room (width when horizontal, height when
// vertical), "..." followed by the text is measured against the room giving
// n characters that fit, n at least 4, and the first n - 3 characters of the
// text followed by "..." are drawn. A negative room or an empty text draws
// nothing. `textHeight` is the font's height; vertical text runs downwards.
// `boundaries`: ascending cut offsets ending at text.size(); empty means
// CodePointBoundaries(text).
EllipsisText CutEllipsisText(std::u16string_view text, const RECT& rect, bool horizontal, int textHeight,
                             const TextMeasure& measure, std::vector<std::size_t> boundaries = {});

}  // namespace dockwins
