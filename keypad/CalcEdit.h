#pragma once
// The one-line number entry above the keypad: keeps the number text itself
// (CEntryLineModel), shows it right-aligned in a fixed-pitch font with digit
// grouping and three-dot markers where it is cut off, and blinks an error text
// every 400 ms instead of the number. Characters reach it only through the
// frame's dispatcher (TypeChar); it never takes keyboard focus.

#include <QFont>
#include <QTimer>
#include <QWidget>

#include "keypad/EntryLineModel.h"

class CCalcEdit : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBlinkMilliseconds = 400;

    explicit CCalcEdit(QWidget* parent = nullptr);

    bool TypeChar(char c);
    void Backspace();
    void Clear(bool startOver);
    bool SetText(const std::string& text, bool startOver);
    const std::string& GetText() const { return m_model.GetText(); }
    bool IsStartOver() const { return m_model.IsStartOver(); }
    void SetStartOver(bool startOver) { m_model.SetStartOver(startOver); }
    int ErrorTextLength() const { return static_cast<int>(m_model.ErrorText().size()); }
    int MaxDigits() const { return m_model.MaxDigits(); }
    void SetMaxDigits(int maxDigits) { m_model.SetMaxDigits(maxDigits); }
    void SetErrorText(const std::string& text);
    void Negate();
    void SetOpenParenShown(bool shown);
    void ScrollHome();
    void ScrollEnd();
    void ScrollLeft();
    void ScrollRight();
    void Reformat();

    // 0: 10 points, 1: 12 points, 2: 13 points bold; the fixed-pitch system
    // font. The height becomes the line height + 12.
    void SetFontMode(int mode);

    const CEntryLineModel& Model() const { return m_model; }
    // For an owner that changes the model itself; it calls Refresh afterwards.
    CEntryLineModel& EditableModel() { return m_model; }
    void Refresh() { Changed(); }
    bool IsBlinking() const { return m_blinkTimer.isActive(); }
    int CharWidth() const { return m_charWidth; }
    const QFont& EntryFont() const { return m_font; }
    int LineHeight() const { return m_lineHeight; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Changed();
    void UpdateBlinkTimer();
    void PaintMarker(QPainter& painter, int left) const;

    CEntryLineModel m_model;
    QFont m_font;
    int m_charWidth = 8;
    int m_lineHeight = 14;
    QTimer m_blinkTimer;
};
