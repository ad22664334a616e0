#pragma once
// The clipboard as plain text, as an injectable service: the program uses the
// desktop's clipboard (platform/qt/Clipboard.h); tests hold the text instead.

#include <optional>
#include <string>

// The clipboard as plain text.
class IClipboardText {
public:
    virtual ~IClipboardText() = default;
    virtual bool SetText(const std::string& text) = 0;
    // Nothing when the clipboard holds no text.
    virtual std::optional<std::string> GetText() = 0;
};
