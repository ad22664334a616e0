#pragma once
// Label tables of the keypad's glyph strips. No artwork ships with the program:
// each strip is a row of equal cells, and each cell is drawn at run time from
// its label (text, an optional raised superscript after it and an optional
// raised index before it, as in the cube root) in the colour of its tone.

#include <span>
#include <string_view>

enum class GlyphTone {
    Digit,      // digits, point and sign change
    Operator,   // binary operators and equals
    Function,   // one-argument functions, constants and parentheses
    Clear,      // C, CE, backspace, step back, cancel
    Plain,      // free-form entry, angle buttons (raised)
    Latched,    // angle buttons (down)
    ErrorIcon,  // 16-pixel status icons
    HelpIcon,
    InfoIcon,
};

struct GlyphLabel {
    std::string_view text;
    std::string_view superscript;  // drawn smaller and raised after the text
    std::string_view prescript;    // drawn smaller and raised before the text
    GlyphTone tone = GlyphTone::Plain;
};

struct GlyphStripSpec {
    int resourceId = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int fontPixelSize = 0;  // height of the main text
    bool bold = false;
    std::span<const GlyphLabel> labels;
};

// Strip ids: 204 free-form and angle glyphs (30 x 16), 205 keypad (32 x 25),
// 206 equals (32 x 56), 207 backspace (108 x 25), 208 step back (70 x 25),
// 214 cancel (108 x 25), 233 status icons (16 x 16).
inline constexpr int kStripAngles = 204;
inline constexpr int kStripKeypad = 205;
inline constexpr int kStripEquals = 206;
inline constexpr int kStripBackspace = 207;
inline constexpr int kStripStepBack = 208;
inline constexpr int kStripCancel = 214;
inline constexpr int kStripIcons = 233;

// The strip with that id, or null.
const GlyphStripSpec* FindGlyphStrip(int resourceId);
