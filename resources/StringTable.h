#pragma once
// The program's string table: each keypad command's help text under its command
// id ("[title]|description\n\r\n\rKeyboard equivalent = key") and the display
// messages the main frame shows by id.

#include <optional>
#include <string>

inline constexpr unsigned kStringParenNeedsTerm = 129;
inline constexpr unsigned kStringNoNumberAfterParenOrFunction = 130;

// The entry with that id, or nothing when the table has none.
std::optional<std::string> LoadResourceString(unsigned id);
