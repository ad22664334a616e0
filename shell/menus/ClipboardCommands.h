#pragma once
// Copy and Paste of the Edit menu. Copy puts the entry line's number text (as
// typed, without the display's grouping) on the clipboard; Paste takes a
// number from the clipboard and enters it as typing would allow it.
// Qt-free: the clipboard and the frame are reached through small interfaces.

#include <optional>
#include <string>

#include "platform/ClipboardText.h"

class IClipboardHost {
public:
    virtual ~IClipboardHost() = default;
    // The entry line's number text (GetText).
    virtual std::string GetEntryText() const = 0;
    // The entry line's Max Digits.
    virtual int GetMaxDigits() const = 0;
    // Puts a number in as a new entry, or refuses it with its message
    // ("Not expecting a numeric entry at this stage.").
    virtual void AddAsNewEntry(const std::string& text) = 0;
};

// Longest clipboard text that is looked at for a number; a longer text is
// ignored (no acceptable number comes near it).
inline constexpr std::size_t kMaxPastedTextLength = 1000;

// The number in pasted text: the text without white space at both ends when
// it is a pastable number that typing would accept (at most maxDigits digits,
// exponent within -999999..999999); nothing otherwise.
std::optional<std::string> PastedNumberText(const std::string& clipboardText, int maxDigits);

class CClipboardCommands {
public:
    CClipboardCommands(IClipboardHost& host, IClipboardText& clipboard);

    void OnCopy();
    // True when a number was handed to AddAsNewEntry.
    bool OnPaste();

private:
    IClipboardHost& m_host;
    IClipboardText& m_clipboard;
};
