#pragma once
// The checks the entry dialogs run on every change of their text, as plain
// functions of the texts so that they are testable without a dialog.

#include <map>
#include <optional>
#include <string>

#include "panes/VariableList.h"

// The first failing number test as a sentence for the user, or nullopt when the
// text is a number with at most maxSignificantDigits significant digits and an
// exponent within -999999..999999.
std::optional<std::string> NumberEntryProblem(const std::string& text, int maxSignificantDigits);

inline constexpr const char* kInvalidVariableNameMessage =
    "The variable name you've entered is NOT valid.  Please enter a valid variable name "
    "before proceeding.";

// Largest significant-digit count of a variable's value.
inline constexpr int kMaxVariableSignificantDigits = 512;

// What the variable dialog shows for its two texts.
struct CVariableDialogVerdict {
    std::string m_message;
    bool m_bOkEnabled = false;
    bool m_bChangeEnabled = false;
    bool operator==(const CVariableDialogVerdict&) const = default;
};

// The dialog's rules. The "already exists" test looks the name up as it will
// be stored (form), so that a name differing only in case from an existing one
// offers "Change" instead of replacing it silently.
CVariableDialogVerdict CheckVariableDialog(const std::string& name, const std::string& value,
                                           VariableNameForm form,
                                           const std::map<std::string, std::string>& variables);

// What the free-form entry dialog shows for its text: the message to put in its
// message box (nullopt: leave the shown message as it is) and whether OK works.
struct CFreeFormVerdict {
    std::optional<std::string> m_message;
    bool m_bOkEnabled = false;
    bool operator==(const CFreeFormVerdict&) const = default;
};

CFreeFormVerdict CheckFreeFormEntry(const std::string& text, int maxDigits);

// The Max Digits dialog: the value of the text's leading decimal digits (0 when
// there are none; saturated far above the range), and its range test.
int ParseLeadingDigits(const std::string& text);
inline constexpr int kMinMaxDigits = 15;
inline constexpr int kMaxMaxDigits = 512;
inline bool IsMaxDigitsInRange(int value) { return value >= kMinMaxDigits && value <= kMaxMaxDigits; }
inline constexpr const char* kMaxDigitsRangeMessage = "Please enter a value between 15 and 512 (inclusive)";
