#pragma once
// The keypad's commands: one CCommandInfo per face, the 33 slots of the keypad
// in creation (and placement) order, and the three special buttons. The faces
// of the operations are their keys (OperationKeys.h).

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "resources/CommandIds.h"
#include "resources/GlyphLabels.h"

struct CCommandInfo {
    unsigned m_commandId = 0;
    unsigned m_imageIndex = 0;   // cell in the button's glyph strip
    std::string m_name;          // item text of the button's popup menu (may be empty)
};
using CommandInfoPtr = std::shared_ptr<CCommandInfo>;
using CommandList = std::vector<CommandInfoPtr>;

// Which stored setting keeps the face of a multi-face button.
enum class FaceSetting { None, Pi, Sin, Cos, Tan, XSquared, NCr, Sqrt, Sci, Div };

struct KeypadSlotSpec {
    std::vector<CCommandInfo> alternatives;  // the first is the default face
    FaceSetting stored = FaceSetting::None;
};

inline constexpr int kKeypadSlotCount = 33;

// Slot table, slot 0 (pi / e) to slot 32 (sci / int / rnd).
const std::array<KeypadSlotSpec, kKeypadSlotCount>& KeypadSlotTable();

// A fresh list of shared commands for one slot.
CommandList MakeCommandList(const KeypadSlotSpec& slot);

struct SpecialButtonSpec {
    const char* name;
    unsigned commandId;
    int strip;     // glyph strip id
    int width;     // button size
    int height;
};

inline constexpr SpecialButtonSpec kEqualsButton{"equals", cmd::kEquals, kStripEquals, 34, 58};
inline constexpr SpecialButtonSpec kBackspaceButton{"backspace", cmd::kBackspace, kStripBackspace, 110, 27};
inline constexpr SpecialButtonSpec kStepBackButton{"stepback", cmd::kStepBack, kStripStepBack, 72, 27};

inline constexpr int kSlotButtonWidth = 34;
inline constexpr int kSlotButtonHeight = 27;
