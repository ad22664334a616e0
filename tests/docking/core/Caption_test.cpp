#include "docking/core/CaptionDrag.h"
#include "docking/core/CaptionEllipsis.h"
#include "docking/core/CaptionGlyphs.h"
#include "docking/core/CaptionLayout.h"
#include "docking/core/PinIcons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace dockwins;

namespace {

// Every line of `lines` as the set of pixels it covers (end point left out),
// for lines that are horizontal, vertical or at 45 degrees.
bool Covers(const std::vector<GlyphLine>& lines, int x, int y) {
    for (const auto& line : lines) {
        const int dx = (line.to.x > line.from.x) - (line.to.x < line.from.x);
        const int dy = (line.to.y > line.from.y) - (line.to.y < line.from.y);
        POINT p = line.from;
        while (!(p == line.to)) {
            if (p.x == x && p.y == y)
                return true;
            p.x += dx;
            p.y += dy;
        }
    }
    return false;
}

// A font of 10 pixels per character; a surrogate pair is one character.
int MonoMeasure(std::u16string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0xDC00 && text[i] <= 0xDFFF)
            continue;
        width += 10;
    }
    return width;
}

EllipsisText Cut(std::u16string_view text, int room) {
    return CutEllipsisText(text, {0, 0, room, 16}, true, 12, MonoMeasure);
}

}  // namespace

TEST(CaptionLayout, ButtonsAndTextOfEachCaption) {
    // Small-caption height 15: docking captions are 20 thick.
    EXPECT_EQ(CaptionThickness(CaptionStyle::Docking, 15), 20);
    EXPECT_EQ(CaptionThickness(CaptionStyle::AutoHide, 13), 23);

    struct Case {
        CaptionStyle style;
        RECT caption;
        bool horizontal;
        RECT close, pin, text;
    } cases[] = {
        {CaptionStyle::Docking, {0, 0, 200, 20}, true, {186, 4, 198, 16}, {173, 4, 185, 16}, {5, 2, 171, 18}},
        {CaptionStyle::Docking, {0, 0, 20, 300}, false, {4, 2, 16, 14}, {4, 17, 16, 29}, {2, 31, 18, 297}},
        {CaptionStyle::AutoHide, {0, 0, 200, 23}, true, {180, 3, 197, 20}, {160, 3, 177, 20}, {12, 0, 157, 23}},
        {CaptionStyle::AutoHide, {0, 0, 23, 200}, false, {3, 3, 20, 20}, {3, 23, 20, 40}, {0, 43, 23, 192}},
    };
    for (const auto& c : cases) {
        const auto layout = LayOutCaption(c.style, c.caption, c.horizontal);
        EXPECT_EQ(layout.caption, c.caption);
        EXPECT_EQ(layout.close, c.close);
        EXPECT_EQ(layout.pin, c.pin);
        EXPECT_EQ(CaptionTextRect(layout), c.text);
    }
}

TEST(CaptionLayout, BandInWindowAndHitTest) {
    EXPECT_EQ(CaptionRectInWindow(200, 300, 20, true), (RECT{0, 0, 200, 20}));
    EXPECT_EQ(CaptionRectInWindow(200, 300, 20, false), (RECT{0, 0, 20, 300}));
    EXPECT_EQ(CaptionRectInWindow(10, 5, 20, true), (RECT{0, 0, 10, 5}));

    const auto layout = LayOutCaption(CaptionStyle::Docking, {0, 0, 200, 20}, true);
    EXPECT_EQ(CaptionBand(layout), (RECT{0, 2, 200, 18}));
    struct Case { POINT p; int hit; } cases[] = {
        {{190, 10}, CAPTION_HIT_CLOSE}, {{178, 10}, CAPTION_HIT_PIN}, {{50, 10}, CAPTION_HIT_CAPTION},
        {{50, 25}, CAPTION_HIT_NONE},   {{200, 10}, CAPTION_HIT_NONE}, {{185, 10}, CAPTION_HIT_CAPTION},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaptionHitTest(layout, c.p), c.hit) << c.p.x << "," << c.p.y;
}

TEST(CaptionGlyphs, CloseCrossAndStates) {
    const RECT close{186, 4, 198, 16};
    const auto thin = DockingCloseGlyph(close, 15, ButtonState::Normal, 96);
    EXPECT_FALSE(thin.symbol);
    EXPECT_TRUE(Covers(thin.lines, 188, 7));
    EXPECT_TRUE(Covers(thin.lines, 194, 13));
    EXPECT_FALSE(Covers(thin.lines, 195, 14));
    EXPECT_TRUE(Covers(thin.lines, 188, 13));

    const auto pressed = DockingCloseGlyph(close, 15, ButtonState::Pressed, 96);
    EXPECT_TRUE(Covers(pressed.lines, 189, 8));
    EXPECT_FALSE(Covers(pressed.lines, 188, 7));
    EXPECT_EQ(EdgeForState(ButtonState::Pressed), ButtonEdge::Sunken);
    EXPECT_EQ(EdgeForState(ButtonState::Hot), ButtonEdge::Raised);
    EXPECT_EQ(EdgeForState(ButtonState::Normal), ButtonEdge::None);

    // From 16 on: the symbol cross, 12 x 7 tenths of a point = 12 px at 96 dpi
    // in a 13-px button (caption 21 thick).
    const auto symbol = DockingCloseGlyph({186, 4, 199, 17}, 16, ButtonState::Normal, 96);
    EXPECT_TRUE(symbol.symbol);
    EXPECT_EQ(symbol.lineWidth, 2);
    EXPECT_EQ(symbol.symbolBox, (RECT{186, 4, 198, 16}));
    const auto big = DockingCloseGlyph({186, 4, 199, 17}, 16, ButtonState::Normal, 192);
    EXPECT_EQ(big.symbolBox, (RECT{186, 4, 199, 17}));  // never beyond the button

    const auto outlook = AutoHideCloseGlyph({180, 3, 197, 20});
    EXPECT_TRUE(Covers(outlook, 185, 8));
    EXPECT_TRUE(Covers(outlook, 186, 8));
    EXPECT_FALSE(Covers(outlook, 192, 15));
}

TEST(CaptionGlyphs, PinShapesAtBothSizes) {
    // Caption height 15: a = 3, pen 1, margins 2 (upright) / 1 (lying), strip 1.
    const RECT pin{173, 4, 185, 16};  // centre (179, 10)
    const auto upright = DockingPinGlyph(pin, 15, true, ButtonState::Normal);
    EXPECT_EQ(upright.penWidth, 1);
    EXPECT_EQ(upright.needle, (GlyphLine{{178, 14}, {178, 11}}));
    EXPECT_EQ(upright.crossBar, (GlyphLine{{175, 11}, {181, 11}}));
    EXPECT_EQ(upright.body, (std::vector<POINT>{{176, 11}, {176, 6}, {180, 6}, {180, 11}}));
    EXPECT_EQ(upright.strip, (RECT{179, 7, 180, 11}));

    const auto lying = DockingPinGlyph(pin, 15, false, ButtonState::Pressed);
    EXPECT_EQ(lying.needle, (GlyphLine{{175, 11}, {178, 11}}));
    EXPECT_EQ(lying.crossBar, (GlyphLine{{178, 8}, {178, 14}}));
    EXPECT_EQ(lying.body, (std::vector<POINT>{{178, 9}, {183, 9}, {183, 13}, {178, 13}}));
    EXPECT_EQ(lying.strip, (RECT{179, 12, 183, 13}));

    // Height 20: a = 4, pen 1, margin 3, strip 1.
    const RECT big{0, 0, 16, 16};  // centre (8, 8)
    const auto upright20 = DockingPinGlyph(big, 20, true, ButtonState::Normal);
    EXPECT_EQ(upright20.needle, (GlyphLine{{7, 13}, {7, 9}}));
    EXPECT_EQ(upright20.body.front(), (POINT{5, 9}));
    EXPECT_EQ(upright20.body[1], (POINT{5, 2}));
    const auto lying20 = DockingPinGlyph(big, 20, false, ButtonState::Normal);
    EXPECT_EQ(lying20.needle, (GlyphLine{{3, 8}, {7, 8}}));
    EXPECT_EQ(lying20.body[1], (POINT{14, 6}));
    // Height 40: a = 8, pen 2, margin 6, strip 3.
    const auto wide = DockingPinGlyph(big, 40, false, ButtonState::Normal);
    EXPECT_EQ(wide.penWidth, 2);
    EXPECT_EQ(wide.needle.from, (POINT{6, 8}));
    EXPECT_EQ(wide.strip.Height(), 3);
}

TEST(CaptionEllipsis, CutsToTheRoom) {
    struct Case { int room; bool draw; std::u16string text; } cases[] = {
        {70, true, u"ABCDEFG"},   // room: the whole text
        {200, true, u"ABCDEFG"},
        {50, true, u"AB..."},     // room for "...AB"
        {59, true, u"AB..."},
        {60, true, u"ABC..."},
        {1, true, u"A..."},       // one character and the ellipsis, clipped
        {0, true, u"A..."},
        {-1, false, u""},         // negative room: nothing
    };
    for (const auto& c : cases) {
        const auto cut = Cut(u"ABCDEFG", c.room);
        EXPECT_EQ(cut.draw, c.draw) << c.room;
        EXPECT_TRUE(cut.text == c.text) << c.room;
    }
    EXPECT_FALSE(Cut(u"", 100).draw);
    EXPECT_FALSE(Cut(u"", -3).draw);  // an auto-hide label under 6 px
}

TEST(CaptionEllipsis, PlacementAndCharacterBoundaries) {
    const auto horizontal = CutEllipsisText(u"AB", {10, 20, 110, 40}, true, 12, MonoMeasure);
    EXPECT_EQ(horizontal.origin, (POINT{10, 24}));
    EXPECT_EQ(horizontal.clip, (RECT{10, 20, 110, 40}));
    const auto vertical = CutEllipsisText(u"AB", {0, 31, 20, 297}, false, 12, MonoMeasure);
    EXPECT_EQ(vertical.origin, (POINT{16, 31}));

    // A surrogate pair (one character) is never split.
    const std::u16string text = u"A\U0001F600BCDEF";
    EXPECT_EQ(CodePointBoundaries(text), (std::vector<std::size_t>{1, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(Cut(text, 50).text == u"A\U0001F600...");
    // Grapheme boundaries from the caller: "e" + combining accent stays whole.
    const std::u16string accented = u"e\u0301XYZWV";
    const auto cut = CutEllipsisText(accented, {0, 0, 60, 16}, true, 12, MonoMeasure, {2, 3, 4, 5, 6, 7});
    EXPECT_TRUE(cut.text == u"e\u0301X...");

    // A failing measurement draws the whole text, clipped.
    const auto failing = CutEllipsisText(u"ABC", {0, 0, 5, 16}, true, 12, [](std::u16string_view) { return -1; });
    EXPECT_TRUE(failing.draw);
    EXPECT_TRUE(failing.text == u"ABC");
}

TEST(CaptionDrag, GrabKeepsItsRelativePlace) {
    // Window (100,100)-(300,120) grabbed at x 150: a quarter of its width; a
    // 300-wide floating rectangle puts the outline's left edge at 75.
    const RECT window{100, 100, 300, 120};
    const auto offset = CaptionGrabOffset(window, {150, 110}, 300, 200);
    EXPECT_EQ(offset, (POINT{75, 100}));
    EXPECT_EQ(CaptionDragOutline({150, 110}, offset, 300, 200), (RECT{75, 10, 375, 210}));
    EXPECT_EQ(CaptionDragOutline({400, 300}, offset, 300, 200), (RECT{325, 200, 625, 400}));
    // Zero width or height: no division, the grab is at the edge.
    EXPECT_EQ(CaptionGrabOffset({100, 100, 100, 100}, {150, 110}, 300, 200), (POINT{0, 0}));
    // The ratio is a 32-bit float: 1/3 of 300 gives 100 (in doubles 99.99... truncates to 99).
    EXPECT_EQ(CaptionGrabOffset({0, 0, 3, 3}, {1, 2}, 300, 300), (POINT{100, 200}));
}

TEST(PinIcons, BothDecodeTo11By11PixelsWithTheirMasks) {
    constexpr std::uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u, kNone = 0;
    struct Probe { int x, y; std::uint32_t argb; };
    const struct {
        bool pinned;
        std::vector<Probe> probes;
    } icons[] = {
        // Lying: the needle along row 5 from the left, the head at the right.
        {false, {{0, 5, kBlack}, {4, 5, kBlack}, {0, 4, kNone}, {6, 4, kWhite}, {8, 5, kGrey}, {10, 3, kBlack},
                 {10, 2, kNone}, {0, 0, kNone}, {10, 10, kNone}}},
        // Stuck in: the needle from the lower left corner, the head at the upper right.
        {true, {{0, 10, kBlack}, {1, 9, kBlack}, {10, 10, kNone}, {0, 0, kNone}, {6, 1, kBlack}, {5, 3, kWhite},
                {7, 3, kGrey}}},
    };
    for (const auto& icon : icons) {
        const auto& resource = PinIconResource(icon.pinned);
        const auto pixels = DecodeIconResource(resource.data(), resource.size());
        ASSERT_TRUE(pixels) << icon.pinned;
        EXPECT_EQ(pixels->width, 11);
        EXPECT_EQ(pixels->height, 11);
        for (const Probe& p : icon.probes)
            EXPECT_EQ(pixels->argb[static_cast<std::size_t>(p.y * 11 + p.x)], p.argb)
                << icon.pinned << " at " << p.x << "," << p.y;
    }
    // Anything but a whole 4-bit icon resource is refused.
    const auto& good = PinIconResource(false);
    EXPECT_FALSE(DecodeIconResource(good.data(), good.size() - 1));
    EXPECT_FALSE(DecodeIconResource(nullptr, 0));
    const struct { std::size_t at; std::uint8_t value; } damages[] = {
        {0, 41},   // header size
        {4, 0},    // width 0
        {8, 21},   // an odd height: no mask
        {12, 2},   // planes
        {14, 8},   // 8 bits per pixel
        {16, 1},   // compressed
        {32, 17},  // 17 colours
    };
    for (const auto& d : damages) {
        auto bytes = good;
        bytes[d.at] = d.value;
        EXPECT_FALSE(DecodeIconResource(bytes.data(), bytes.size())) << d.at;
    }
}
