#pragma once
// The program's clipboard helpers (plain text): the Edit menu's Copy and Paste
// and the copy commands of the record, history and variables panes all go
// through these two.

#include <string>

#include "platform/ClipboardText.h"

// Puts text on the clipboard; false when there is no clipboard to take it.
bool SetClipboardText(const std::string& text);
// Reads the clipboard's plain text; false (text untouched) when it holds none.
bool GetClipboardText(std::string& text);

// IClipboardText over the two helpers.
class CQtClipboardText final : public IClipboardText {
public:
    bool SetText(const std::string& text) override { return SetClipboardText(text); }
    std::optional<std::string> GetText() override
    {
        std::string text;
        if (!GetClipboardText(text))
            return std::nullopt;
        return text;
    }
};
