#include "keypad/KeypadLayout.h"

#include <set>

#include <gtest/gtest.h>

namespace {

TEST(KeypadLayout, ExactRectanglesFromAnOrigin)
{
    const KeypadPlacement p = PlaceKeypad(27, 100);
    EXPECT_EQ(p.slotRects[0], (KeypadRect{27, 131, 61, 158}));
    EXPECT_EQ(p.equals, (KeypadRect{312, 193, 346, 251}));
    EXPECT_EQ(p.bottom, 251);
    EXPECT_EQ(p.top, 100);
    // Top row.
    EXPECT_EQ(p.slotRects[32], (KeypadRect{27, 100, 61, 127}));
    EXPECT_EQ(p.stepBack, (KeypadRect{65, 100, 137, 127}));
    EXPECT_EQ(p.backspace, (KeypadRect{160, 100, 270, 127}));
    EXPECT_EQ(p.slotRects[31], (KeypadRect{274, 100, 308, 127}));
    EXPECT_EQ(p.slotRects[30], (KeypadRect{312, 100, 346, 127}));
    // Left block corners.
    EXPECT_EQ(p.slotRects[2], (KeypadRect{103, 131, 137, 158}));
    EXPECT_EQ(p.slotRects[9], (KeypadRect{27, 224, 61, 251}));
    EXPECT_EQ(p.slotRects[11], (KeypadRect{103, 224, 137, 251}));
    // Right block.
    EXPECT_EQ(p.slotRects[12], (KeypadRect{160, 131, 194, 158}));
    EXPECT_EQ(p.slotRects[16], (KeypadRect{312, 131, 346, 158}));
    EXPECT_EQ(p.slotRects[17], (KeypadRect{160, 162, 194, 189}));
    EXPECT_EQ(p.slotRects[21], (KeypadRect{312, 162, 346, 189}));
    EXPECT_EQ(p.slotRects[22], (KeypadRect{160, 193, 194, 220}));
    EXPECT_EQ(p.slotRects[25], (KeypadRect{274, 193, 308, 220}));
    EXPECT_EQ(p.slotRects[26], (KeypadRect{160, 224, 194, 251}));
    EXPECT_EQ(p.slotRects[29], (KeypadRect{274, 224, 308, 251}));
}

TEST(KeypadLayout, FitsItsSizeWithoutOverlaps)
{
    const KeypadPlacement p = PlaceKeypad(0, 0);
    std::vector<KeypadRect> all(p.slotRects.begin(), p.slotRects.end());
    all.push_back(p.equals);
    all.push_back(p.backspace);
    all.push_back(p.stepBack);
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_GE(all[i].left, 0);
        EXPECT_GE(all[i].top, 0);
        EXPECT_LE(all[i].right, kKeypadWidth);
        EXPECT_LE(all[i].bottom, kKeypadHeight);
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const bool apart = all[i].right <= all[j].left || all[j].right <= all[i].left ||
                               all[i].bottom <= all[j].top || all[j].bottom <= all[i].top;
            EXPECT_TRUE(apart) << i << " overlaps " << j;
        }
    }
    EXPECT_EQ(p.slotRects[30].right, kKeypadWidth);  // C closes the top row at the right edge
    EXPECT_EQ(p.bottom, kKeypadHeight);
}

TEST(KeypadCommands, SlotTable)
{
    const auto& slots = KeypadSlotTable();
    EXPECT_EQ(slots[0].alternatives[1].m_commandId, 6121u);
    EXPECT_EQ(slots[0].alternatives[1].m_imageIndex, 20u);
    EXPECT_EQ(slots[0].stored, FaceSetting::Pi);
    EXPECT_EQ(slots[15].alternatives[0].m_name, "\u00F7");
    EXPECT_EQ(slots[15].alternatives[2].m_commandId, 34504u);
    EXPECT_EQ(slots[32].alternatives[2].m_commandId, 34501u);
    EXPECT_EQ(slots[32].alternatives[2].m_imageIndex, 48u);
    // The parentheses have one face with an empty name.
    for (int slot : {1, 2}) {
        EXPECT_EQ(slots[slot].alternatives.size(), 1u);
        EXPECT_TRUE(slots[slot].alternatives[0].m_name.empty());
    }
    // Nine multi-face buttons, each stored in its own setting.
    std::set<FaceSetting> stored;
    std::set<unsigned> ids;
    for (const auto& slot : slots) {
        if (slot.alternatives.size() > 1) {
            EXPECT_NE(slot.stored, FaceSetting::None);
            stored.insert(slot.stored);
        } else {
            EXPECT_EQ(slot.stored, FaceSetting::None);
        }
        for (const auto& c : slot.alternatives)
            EXPECT_TRUE(ids.insert(c.m_commandId).second) << c.m_commandId;
    }
    EXPECT_EQ(stored.size(), 9u);
    EXPECT_EQ(ids.size(), 50u);
}

}  // namespace
