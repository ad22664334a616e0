#pragma once
// The entry line's number text and its view: what may be typed, character by
// character, how the number is shown (grouping, a reserved trailing point), and
// which part of it fits into the visible character count.
//
// Qt-free: the entry line widget paints what View() gives and runs the blink
// timer; refused characters that overstep a limit call the beep callback.

#include <cstdint>
#include <functional>
#include <string>

class CEntryLineModel {
public:
    // grouping: the digit-grouping option (0 everywhere, 1 entry line only,
    // 2 off), read at every formatting; beep: called when a limit refuses input.
    CEntryLineModel(std::function<int()> grouping, std::function<void()> beep);

    // Offers one character; true when it was taken (limits that beep count as
    // taken). Characters: digits, ".", "E"/"e", "+"/"-" as exponent sign, 8.
    bool TypeChar(char c);
    // Removes the last typed character; does nothing on a start-over entry.
    void Backspace();
    // Text "0", no point, no exponent, offset 0, no error text; sets the
    // start-over flag when startOver is true (false leaves it as it is).
    void Clear(bool startOver);
    // Clear(startOver), then takes the text when it is a number; otherwise the
    // text stays "0" and the result is false.
    bool SetText(const std::string& text, bool startOver);
    void Negate();
    // Formats again (the grouping option changed) and scrolls to the start.
    void Reformat();

    const std::string& GetText() const { return m_text; }
    const std::string& DisplayText() const { return m_display; }
    bool IsStartOver() const { return m_startOver; }
    void SetStartOver(bool startOver) { m_startOver = startOver; }
    int MaxDigits() const { return m_maxDigits; }
    void SetMaxDigits(int maxDigits) { m_maxDigits = maxDigits; }
    bool HasPendingPoint() const { return m_pendingPoint; }
    bool HasPoint() const { return m_hasPoint; }
    bool HasExponent() const { return m_hasExponent; }

    // Error text, shown blinking instead of the number. Returns false when
    // nothing changed (old and new both empty). Shows the "on" side.
    bool SetErrorText(const std::string& text);
    const std::string& ErrorText() const { return m_errorText; }
    void ToggleBlink() { m_blinkOn = !m_blinkOn; }
    bool BlinkOn() const { return m_blinkOn; }

    // Returns whether the value changed.
    bool SetOpenParenShown(bool shown);
    bool OpenParenShown() const { return m_openParen; }

    // View geometry: the widget's width and the width of one character.
    void SetWidth(int widthPixels, int charWidth);
    int VisibleCount() const { return m_visibleCount; }
    int LeftOver() const { return m_leftOver; }
    int Offset() const { return ClampedOffset(); }

    void ScrollHome();
    void ScrollEnd();
    void ScrollLeft();
    void ScrollRight();

    // The number as shown: the grouped text (or the entry text when grouping
    // is off or the text cannot be grouped), with a reserved "." when it has
    // neither point nor exponent.
    std::string ShownNumber() const;

    struct View {
        enum class Kind { Nothing, Error, OpenParen, Number } kind = Kind::Nothing;
        std::string text;  // what to draw, right-aligned
        bool leftMarker = false;
        bool rightMarker = false;
    };
    View CurrentView() const;

private:
    struct EntryState {
        bool startOver = true;
        std::string text = "0";
        std::string display;
        bool pendingPoint = false;
        bool hasPoint = false;
        bool hasExponent = false;
        std::int32_t exponentDigits = 0;
        int offset = 0;
    };

    bool TypeDigit(char c);
    bool TypeSign(char c);
    bool TypePoint();
    bool TypeExponentMark();
    void Format();
    int ShownLength() const;
    int ClampedOffset() const;
    bool WithinLimits() const;
    EntryState Snapshot() const;
    void Restore(const EntryState& state);

    std::function<int()> m_grouping;
    std::function<void()> m_beep;

    bool m_startOver = true;
    std::string m_text = "0";
    std::string m_display;
    bool m_pendingPoint = false;
    bool m_hasPoint = false;
    bool m_hasExponent = false;
    std::int32_t m_exponentDigits = 0;
    int m_maxDigits = 120;
    std::string m_errorText;
    bool m_blinkOn = true;
    bool m_openParen = false;
    int m_visibleCount = 0;
    int m_offset = 0;
    int m_leftOver = 0;
};
