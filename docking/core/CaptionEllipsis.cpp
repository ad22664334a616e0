#include "docking/core/CaptionEllipsis.h"

namespace dockwins {

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

constexpr std::u16string_view kEllipsis = u"...";

// How many characters of "..." + text fit into `room`: each of the three dots
// counts as one, then every text character up to the next boundary. -1 when a
// measurement fails.
int CharactersThatFit(std::u16string_view text, const std::vector<std::size_t>& boundaries, int room,
                      const TextMeasure& measure) {
    std::u16string probe;
    int fitted = 0;
    for (std::size_t dots = 1; dots <= kEllipsis.size(); ++dots) {
        const int extent = measure(kEllipsis.substr(0, dots));
        if (extent < 0)
            return -1;
        if (extent > room)
            return fitted;
        ++fitted;
    }
    probe.assign(kEllipsis);
    std::size_t start = 0;
    for (const std::size_t end : boundaries) {
        if (end <= start)
            continue;
        probe.append(text.substr(start, end - start));
        const int extent = measure(probe);
        if (extent < 0)
            return -1;
        if (extent > room)
            return fitted;
        ++fitted;
        start = end;
    }
    return fitted;
}

}  // namespace

std::vector<std::size_t> CodePointBoundaries(std::u16string_view text) {
    std::vector<std::size_t> boundaries;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i < text.size() && IsLowSurrogate(text[i]) && IsHighSurrogate(text[i - 1]))
            continue;
        boundaries.push_back(i);
    }
    return boundaries;
}

EllipsisText CutEllipsisText(std::u16string_view text, const RECT& rect, bool horizontal, int textHeight,
                             const TextMeasure& measure, std::vector<std::size_t> boundaries) {
    EllipsisText result;
    const int room = horizontal ? rect.Width() : rect.Height();
    if (room < 0 || text.empty())
        return result;
    if (boundaries.empty())
        boundaries = CodePointBoundaries(text);

    result.draw = true;
    result.clip = rect;
    if (horizontal)
        result.origin = {rect.left, rect.top + (rect.Height() - textHeight) / 2};
    else
        result.origin = {rect.right - (rect.Width() - textHeight) / 2, rect.top};

    const int extent = measure(text);
    if (extent < 0 || extent <= room) {
        // Fits, or cannot be measured: the whole text, clipped.
        result.text.assign(text);
        return result;
    }
    int n = CharactersThatFit(text, boundaries, room, measure);
    if (n < 0) {
        result.text.assign(text);
        return result;
    }
    n = std::max(n, 4);
    const std::size_t keep = std::min<std::size_t>(static_cast<std::size_t>(n - 3), boundaries.size());
    const std::size_t cut = boundaries[keep - 1];
    result.text.assign(text.substr(0, cut));
    result.text.append(kEllipsis);
    return result;
}

}  // namespace dockwins
