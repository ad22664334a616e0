#pragma once
// Colour schemes: named sets of ten colours that the display, the record window
// and the history and variables panes draw with. Five are built in; one is
// current for the whole program.
//
// Colours are COLORREF values, 0x00BBGGRR (red in the low byte). Convert them
// with ColorFromColorRef (platform/qt/ColorRef.h); never read them as 0xRRGGBB.
//
// Thread safety: the scheme table is built once, on first use, and never
// changes afterwards. The current scheme is guarded by a lock: Set and Get may
// be called from any thread, and Get returns a copy.

#include <cstdint>
#include <memory>
#include <string>

using COLORREF = std::uint32_t;

constexpr COLORREF MakeColorRef(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
           (static_cast<COLORREF>(blue) << 16);
}
constexpr std::uint8_t ColorRefRed(COLORREF c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t ColorRefGreen(COLORREF c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t ColorRefBlue(COLORREF c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

struct ColorScheme {
    static constexpr int kColorCount = 10;

    COLORREF m_crBackground = 0;       // 0 display background; even record lines
    COLORREF m_crAlternateRow = 0;     // 1 odd record lines
    COLORREF m_crListBackground = 0;   // 2 history and variables lists
    COLORREF m_crSelectedRow = 0;      // 3 selected record line
    COLORREF m_crText = 0;             // 4 record text
    COLORREF m_crSelectedText = 0;     // 5 selected record text
    COLORREF m_crFocusedRow = 0;       // 6 focused, unselected record line
    COLORREF m_crFocusedText = 0;      // 7 its text
    COLORREF m_crGridLine = 0;         // 8 record column lines
    COLORREF m_crParenDepthText = 0;   // 9 record depth column text
    std::string m_name;

    // Colour by index 0..9 in the order above; 0 for any other index.
    COLORREF Color(int index) const;

    friend bool operator==(const ColorScheme&, const ColorScheme&) = default;
};

// The system colours that "Plain Vanilla" takes over.
struct SchemeSystemColors {
    COLORREF window = 0xFFFFFF;
    COLORREF highlight = MakeColorRef(0, 120, 215);
    COLORREF windowText = 0x000000;
    COLORREF highlightText = 0xFFFFFF;
};

// Sets the system colours read when the table is built. Has an effect only
// before the first use of the table (returns false afterwards), so "Plain
// Vanilla" keeps the colours that were in force when the program started.
bool SetSchemeSystemColors(const SchemeSystemColors& colors);

// The table's scheme of exactly that name (case-sensitive), or null. The
// schemes are "Plain Vanilla", "Smooth Blue", "Smooth Blue 2", "Somewhat Blue"
// and "Olive Green".
std::shared_ptr<const ColorScheme> FindColorScheme(const std::string& name);

// Copies all colours and the name into the current scheme.
void SetCurrentColorScheme(const ColorScheme& scheme);

// A copy of the current scheme; "Smooth Blue" until another is set.
ColorScheme GetCurrentColorScheme();

inline constexpr const char* kDefaultColorSchemeName = "Smooth Blue";
