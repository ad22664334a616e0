#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "keypad/KeypadCommands.h"
#include "keypad/OperationKeys.h"
#include "port/Operations.h"
#include "resources/GlyphLabels.h"
#include "resources/StringTable.h"

namespace {

// The faces of the keypad with that command id.
std::vector<CCommandInfo> FacesOf(unsigned commandId)
{
    std::vector<CCommandInfo> faces;
    for (const KeypadSlotSpec& slot : KeypadSlotTable())
        for (const CCommandInfo& face : slot.alternatives)
            if (face.m_commandId == commandId)
                faces.push_back(face);
    return faces;
}

// Every operation but the two without a key has exactly one key; every key
// names an operation and has its own command id with a help string, a drawn
// glyph of its own, and its one face on the keypad.
TEST(OperationKeys, EveryOperationHasItsCommandIdGlyphAndString)
{
    const std::set<std::string_view> keyless = {"abs", "exp"};
    for (const OperationSpec& op : Operations()) {
        const auto keys = std::ranges::count(kOperationKeys, op.name, &OperationKey::operation);
        EXPECT_EQ(keys, keyless.contains(op.name) ? 0 : 1) << op.name;
    }

    const GlyphStripSpec* strip = FindGlyphStrip(kStripKeypad);
    ASSERT_NE(strip, nullptr);
    std::set<unsigned> ids;
    std::set<unsigned> glyphs;
    for (const OperationKey& key : kOperationKeys) {
        const std::string name(key.operation);
        const OperationSpec* op = FindOperation(key.operation);
        EXPECT_NE(op, nullptr) << name << " is no operation";
        EXPECT_EQ(OperationOfCommand(key.commandId), op) << name;
        EXPECT_TRUE(ids.insert(key.commandId).second) << name << ": its command id has another key";
        EXPECT_TRUE(LoadResourceString(key.commandId).has_value()) << name << " has no help string";

        EXPECT_TRUE(glyphs.insert(key.glyph).second) << name << ": its glyph is another key's";
        ASSERT_LT(key.glyph, strip->labels.size()) << name;
        EXPECT_FALSE(strip->labels[key.glyph].text.empty()) << name << ": its glyph cell is empty";

        const auto faces = FacesOf(key.commandId);
        ASSERT_EQ(faces.size(), 1u) << name << " is not on the keypad once";
        EXPECT_EQ(faces[0].m_imageIndex, key.glyph) << name;
        EXPECT_EQ(faces[0].m_name, key.faceName) << name;
    }
    EXPECT_EQ(OperationOfCommand(cmd::kPi), nullptr);
}

}  // namespace
