#pragma once
// The numbers every docking class shares: drag mode, the two derived colours
// and the system metrics. Built from the system's values by the window layer
// (palette, fonts, style); computed here so that they can be tested alone.

#include <cstdint>

namespace dockwins {

struct RGBColour {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const RGBColour&, const RGBColour&) = default;
};

// The button face lightened: with m the largest channel and a = 35 when m is
// below 221, else 255 - m, each channel c becomes c + a when m is 0, else
// c + c * a / m + 0.5 truncated, at most 255.
RGBColour HighlightColour(RGBColour face);
// Button text two thirds of the way to grey text, per channel.
RGBColour ShadowTextColour(RGBColour text, RGBColour grey);

struct SystemMetrics {
    int minWindowWidth = 112;   // smallest floating window
    int minWindowHeight = 27;
    int smallIcon = 16;
    int smallCaptionHeight = 15;
    int edge = 2;                // a 3-D edge's thickness (a client edge is one)
    bool fullWindowDrag = true;  // windows move live while a bar is dragged
};

struct SystemValues {
    RGBColour buttonFace{212, 208, 200};
    RGBColour buttonText{0, 0, 0};
    RGBColour greyText{128, 128, 128};
    SystemMetrics metrics;
};

class CDockingSettings {
public:
    enum Flags : std::uint32_t {
        kKeepDragMode = 1,  // the two drag-mode bits stay as they are
        kGhostDrag = 2,     // a bar drag moves an outline
        kFullDrag = 4,      // a bar drag moves the windows live
    };

    void SetFlags(std::uint32_t flags) { m_flags = flags; }
    std::uint32_t Flags() const { return m_flags; }
    bool GhostDrag() const { return (m_flags & kGhostDrag) != 0; }

    // Takes the system's values: drag mode (unless kept), colours, metrics.
    void Refresh(const SystemValues& values);

    RGBColour Highlight() const { return m_highlight; }
    RGBColour ShadowText() const { return m_shadowText; }
    const SystemMetrics& Metrics() const { return m_metrics; }

private:
    std::uint32_t m_flags = 0;
    RGBColour m_highlight;
    RGBColour m_shadowText;
    SystemMetrics m_metrics;
};

}  // namespace dockwins
