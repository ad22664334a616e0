#include "keypad/EntryLineModel.h"

#include <algorithm>

#include "number/EntrySyntax.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

CEntryLineModel::CEntryLineModel(std::function<int()> grouping, std::function<void()> beep)
    : m_grouping(std::move(grouping)), m_beep(std::move(beep))
{
    Format();
}

CEntryLineModel::EntryState CEntryLineModel::Snapshot() const
{
    return {m_startOver, m_text, m_display, m_pendingPoint, m_hasPoint, m_hasExponent,
            m_exponentDigits, m_offset};
}

void CEntryLineModel::Restore(const EntryState& s)
{
    m_startOver = s.startOver;
    m_text = s.text;
    m_display = s.display;
    m_pendingPoint = s.pendingPoint;
    m_hasPoint = s.hasPoint;
    m_hasExponent = s.hasExponent;
    m_exponentDigits = s.exponentDigits;
    m_offset = s.offset;
}

bool CEntryLineModel::TypeChar(char c)
{
    if (IsDigit(c))
        return TypeDigit(c);
    if (c == 8) {
        if (m_startOver)
            return false;
        Backspace();
        return true;
    }
    if (c == '+' || c == '-')
        return TypeSign(c);
    if (c == '.')
        return TypePoint();
    if (c == 'E' || c == 'e')
        return TypeExponentMark();
    return false;
}

bool CEntryLineModel::WithinLimits() const
{
    std::int32_t digits = 0, significant = 0;
    std::int64_t exponent = 0;
    if (!ValidateNumberText(m_text, digits, significant, exponent))
        return true;  // not yet a whole number: nothing to hold against a limit
    return digits <= m_maxDigits && exponent >= kMinNumberExponent && exponent <= kMaxNumberExponent;
}

bool CEntryLineModel::TypeDigit(char c)
{
    const EntryState before = Snapshot();
    if (m_startOver) {
        Clear(true);
        m_text = std::string(1, c);
        m_startOver = false;
    } else if (m_text == "0") {
        if (m_pendingPoint) {
            m_text = std::string("0.") + c;
            m_pendingPoint = false;
            m_hasPoint = true;
        } else if (c == '0') {
            return true;
        } else {
            m_text = std::string(1, c);
        }
    } else if (!m_pendingPoint) {
        const char last = m_text.empty() ? '\0' : m_text.back();
        if (c == '0' && (last == 'E' || last == 'e' || last == '+' || last == '-'))
            return false;
        if (m_hasExponent)
            ++m_exponentDigits;
        m_text += c;
    } else {
        m_text += '.';
        m_text += c;
        m_pendingPoint = false;
        m_hasPoint = true;
    }
    if (!WithinLimits()) {
        // Everything goes back to how it was before the character.
        Restore(before);
        if (m_beep)
            m_beep();
        return true;
    }
    Format();
    ScrollEnd();
    return true;
}

bool CEntryLineModel::TypeSign(char c)
{
    if (m_startOver || m_text.empty() || (m_text.back() != 'e' && m_text.back() != 'E'))
        return false;
    m_text += c;
    Format();
    ScrollEnd();
    return true;
}

bool CEntryLineModel::TypePoint()
{
    if (m_startOver) {
        Clear(true);
        m_startOver = false;
        m_pendingPoint = true;
        Format();
        return true;
    }
    if (m_hasPoint || m_pendingPoint || m_hasExponent)
        return false;
    // Digits of the integer typed so far: its digit characters when it ends
    // in "0" (trailing zeros are not significant but do count), else its
    // significant digits or, when larger, its decimal exponent.
    std::int64_t count = 0;
    if (!m_text.empty() && m_text.back() == '0') {
        count = std::count_if(m_text.begin(), m_text.end(), IsDigit);
    } else {
        std::int32_t digits = 0, significant = 0;
        std::int64_t exponent = 0;
        if (ValidateNumberText(m_text, digits, significant, exponent))
            count = std::max<std::int64_t>(significant, exponent);
    }
    if (count < m_maxDigits) {
        m_pendingPoint = true;
        ScrollEnd();
    } else if (m_beep) {
        m_beep();
    }
    return true;
}

bool CEntryLineModel::TypeExponentMark()
{
    if (m_startOver || m_hasExponent || m_text.empty() || m_text == "0" || !IsDigit(m_text.back()))
        return false;
    m_pendingPoint = false;
    m_hasExponent = true;
    m_text += 'E';
    Format();
    ScrollEnd();
    return true;
}

void CEntryLineModel::Backspace()
{
    // A start-over entry shows a result or a cleared "0": nothing was typed
    // that could be taken back, and editing the shown value would make the
    // line disagree with the value the calculation goes on with.
    if (m_startOver || m_text.empty())
        return;
    if (m_pendingPoint) {
        m_pendingPoint = false;
    } else if (m_text.back() == '.') {
        m_text.pop_back();
        m_hasPoint = false;
    } else {
        const char removed = m_text.back();
        if (m_hasExponent && m_exponentDigits > 0)
            --m_exponentDigits;
        if (removed == 'E' || removed == 'e')
            m_hasExponent = false;
        const bool wasTwoLong = m_text.size() == 2;
        m_text.pop_back();
        if (m_text.empty() || (wasTwoLong && m_text == "-"))
            m_text = "0";
    }
    m_pendingPoint = false;
    Format();
}

void CEntryLineModel::Clear(bool startOver)
{
    m_errorText.clear();
    m_blinkOn = true;
    if (startOver)
        m_startOver = true;
    m_pendingPoint = false;
    m_hasPoint = false;
    m_hasExponent = false;
    m_exponentDigits = 0;
    m_offset = 0;
    m_text = "0";
    Format();
}

bool CEntryLineModel::SetText(const std::string& text, bool startOver)
{
    Clear(startOver);
    std::int32_t digits = 0, significant = 0;
    std::int64_t exponent = 0;
    if (!ValidateNumberText(text, digits, significant, exponent))
        return false;
    const auto first = text.find_first_not_of(" \t\r\n\f\v");
    const auto last = text.find_last_not_of(" \t\r\n\f\v");
    m_text = text.substr(first, last - first + 1);
    m_hasPoint = m_text.find('.') != std::string::npos;
    const auto mark = m_text.find_first_of("eE");
    m_hasExponent = mark != std::string::npos;
    if (m_hasExponent)
        m_text[mark] = 'E';
    Format();
    return true;
}

void CEntryLineModel::Negate()
{
    if (m_text == "0")
        return;
    if (!m_text.empty() && m_text.front() == '-')
        m_text.erase(0, 1);
    else
        m_text.insert(0, 1, '-');
    Format();
}

void CEntryLineModel::Reformat()
{
    Format();
    m_offset = 0;
}

void CEntryLineModel::Format()
{
    const int mode = m_grouping ? m_grouping() : 2;
    if (mode != 0 && mode != 1) {
        m_display.clear();
        return;
    }
    if (!GroupNumberText(m_text, m_display))
        m_display.clear();  // shown as typed
}

bool CEntryLineModel::SetErrorText(const std::string& text)
{
    if (text.empty() && m_errorText.empty())
        return false;
    m_errorText = text;
    m_blinkOn = true;
    return true;
}

bool CEntryLineModel::SetOpenParenShown(bool shown)
{
    if (shown == m_openParen)
        return false;
    m_openParen = shown;
    return true;
}

void CEntryLineModel::SetWidth(int widthPixels, int charWidth)
{
    if (widthPixels < 1)
        return;
    const int count = charWidth > 0 ? std::max(0, (widthPixels - 10) / charWidth) : 0;
    m_leftOver = std::max(0, widthPixels - count * std::max(charWidth, 0) - 10);
    if (count > m_visibleCount)
        m_offset = std::max(0, m_offset - (count - m_visibleCount));
    m_visibleCount = count;
}

std::string CEntryLineModel::ShownNumber() const
{
    std::string shown = m_display.empty() ? m_text : m_display;
    if (!m_hasPoint && !m_hasExponent)
        shown += '.';
    return shown;
}

int CEntryLineModel::ShownLength() const
{
    return static_cast<int>(ShownNumber().size());
}

int CEntryLineModel::ClampedOffset() const
{
    return std::clamp(m_offset, 0, std::max(0, ShownLength() - m_visibleCount));
}

void CEntryLineModel::ScrollHome() { m_offset = 0; }

void CEntryLineModel::ScrollEnd() { m_offset = std::max(0, ShownLength() - m_visibleCount); }

void CEntryLineModel::ScrollLeft() { m_offset = std::max(0, ClampedOffset() - 1); }

void CEntryLineModel::ScrollRight()
{
    m_offset = std::min(ClampedOffset() + 1, std::max(0, ShownLength() - m_visibleCount));
}

CEntryLineModel::View CEntryLineModel::CurrentView() const
{
    View view;
    if (!m_blinkOn)
        return view;
    if (!m_errorText.empty()) {
        view.kind = View::Kind::Error;
        view.text = m_errorText;
        return view;
    }
    if (m_openParen) {
        view.kind = View::Kind::OpenParen;
        view.text = "(";
        return view;
    }
    view.kind = View::Kind::Number;
    const std::string shown = ShownNumber();
    const int length = static_cast<int>(shown.size());
    if (length <= m_visibleCount) {
        view.text = shown;
        return view;
    }
    const int offset = ClampedOffset();
    view.text = shown.substr(offset, m_visibleCount);
    const bool atEnd = offset + m_visibleCount >= length;
    view.rightMarker = !atEnd;
    view.leftMarker = offset > 0;
    return view;
}
