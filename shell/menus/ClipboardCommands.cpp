#include "shell/menus/ClipboardCommands.h"

#include <cstdint>
#include <exception>

#include "number/EntrySyntax.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string Trimmed(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

}  // namespace

std::optional<std::string> PastedNumberText(const std::string& clipboardText, int maxDigits)
{
    if (clipboardText.empty() || clipboardText.size() > kMaxPastedTextLength)
        return std::nullopt;
    const std::string text = Trimmed(clipboardText);
    if (text.empty())
        return std::nullopt;
    try {
        if (!IsPastableNumber(text))
            return std::nullopt;
        std::int32_t digitCount = -1;
        std::int32_t significantDigits = -1;
        std::int64_t exponent = -1;
        if (!ValidateNumberText(text, digitCount, significantDigits, exponent))
            return std::nullopt;
        if (digitCount > maxDigits || exponent < kMinNumberExponent || exponent > kMaxNumberExponent)
            return std::nullopt;
    } catch (const std::exception&) {
        // A pattern engine that gives up on the text: no number.
        return std::nullopt;
    }
    return text;
}

CClipboardCommands::CClipboardCommands(IClipboardHost& host, IClipboardText& clipboard)
    : m_host(host), m_clipboard(clipboard)
{
}

void CClipboardCommands::OnCopy()
{
    // Clipboard failures are silent.
    try {
        m_clipboard.SetText(m_host.GetEntryText());
    } catch (const std::exception&) {
    }
}

bool CClipboardCommands::OnPaste()
{
    std::optional<std::string> text;
    try {
        text = m_clipboard.GetText();
    } catch (const std::exception&) {
        return false;
    }
    if (!text)
        return false;
    const std::optional<std::string> number = PastedNumberText(*text, m_host.GetMaxDigits());
    if (!number)
        return false;
    m_host.AddAsNewEntry(*number);
    return true;
}
