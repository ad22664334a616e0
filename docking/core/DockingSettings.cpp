#include "docking/core/DockingSettings.h"

#include <algorithm>

namespace dockwins {

RGBColour HighlightColour(RGBColour face)
{
    const int m = std::max({face.r, face.g, face.b});
    const int a = m < 221 ? 35 : 255 - m;
    auto channel = [&](int c) {
        const int value = m == 0 ? c + a : static_cast<int>(c + static_cast<double>(c) * a / m + 0.5);
        return std::clamp(value, 0, 255);
    };
    return {channel(face.r), channel(face.g), channel(face.b)};
}

RGBColour ShadowTextColour(RGBColour text, RGBColour grey)
{
    auto channel = [](int t, int g) { return std::clamp(t + 2 * ((g - t) / 3), 0, 255); };
    return {channel(text.r, grey.r), channel(text.g, grey.g), channel(text.b, grey.b)};
}

void CDockingSettings::Refresh(const SystemValues& values)
{
    if (!(m_flags & kKeepDragMode)) {
        m_flags &= ~static_cast<std::uint32_t>(kGhostDrag | kFullDrag);
        m_flags |= values.metrics.fullWindowDrag ? kFullDrag : kGhostDrag;
    }
    m_highlight = HighlightColour(values.buttonFace);
    m_shadowText = ShadowTextColour(values.buttonText, values.greyText);
    m_metrics = values.metrics;
}

}  // namespace dockwins
