#pragma once
// Which palette colours a caption is painted with. The roles are named after
// the palette roles the widgets read them from.

namespace dockwins {

enum class CaptionColourRole {
    Button,           // the button face
    ButtonText,
    Highlight,        // the active caption
    HighlightedText,  // text on the active caption
};

struct CaptionColours {
    CaptionColourRole fill;  // the caption rectangle, and the buttons' background
    CaptionColourRole band;  // the docking caption's band inside the fill
    CaptionColourRole text;  // caption text and button glyphs
    bool etchedFrame;        // the inactive docking caption frames its band
};

// `active`: the keyboard focus lies strictly inside the caption's window (see
// FocusRules.h); the window itself holding the focus does not count.
inline CaptionColours ChooseCaptionColours(bool active) {
    if (active)
        return {CaptionColourRole::Button, CaptionColourRole::Highlight, CaptionColourRole::HighlightedText, false};
    return {CaptionColourRole::Button, CaptionColourRole::Button, CaptionColourRole::ButtonText, true};
}

// The buttons' own background uses the band colour of the same choice.
inline CaptionColourRole ButtonBackground(bool active) {
    return active ? CaptionColourRole::Highlight : CaptionColourRole::Button;
}

}  // namespace dockwins
