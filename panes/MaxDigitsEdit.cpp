#include "panes/MaxDigitsEdit.h"

#include <algorithm>

#include <QLineEdit>

#include "panes/EntryChecks.h"

CMaxDigitsEdit::CMaxDigitsEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    lineEdit()->setMaxLength(kMaxLength);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setAccelerated(false);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { update(); });
}

QString CMaxDigitsEdit::Text() const { return lineEdit()->text(); }

void CMaxDigitsEdit::SetText(const QString& text)
{
    QString digits;
    for (QChar c : text)
        if (c.isDigit() && c.unicode() < 128 && digits.size() < kMaxLength)
            digits.append(c);
    lineEdit()->setText(digits);
}

void CMaxDigitsEdit::SelectAll() { lineEdit()->selectAll(); }

void CMaxDigitsEdit::stepBy(int steps)
{
    const std::string text = Text().toStdString();
    // An empty edit steps to the lowest value first.
    const int value = text.empty() ? kMinMaxDigits
                                   : std::clamp(ParseLeadingDigits(text) + steps, kMinMaxDigits, kMaxMaxDigits);
    lineEdit()->setText(QString::number(value));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled CMaxDigitsEdit::stepEnabled() const
{
    const std::string text = Text().toStdString();
    const int value = ParseLeadingDigits(text);
    StepEnabled enabled = StepNone;
    if (text.empty() || value < kMaxMaxDigits)
        enabled |= StepUpEnabled;
    if (text.empty() || value > kMinMaxDigits)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State CMaxDigitsEdit::validate(QString& input, int&) const
{
    if (input.size() > kMaxLength)
        return QValidator::Invalid;
    for (QChar c : input)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QValidator::Invalid;
    return QValidator::Acceptable;
}

void CMaxDigitsEdit::fixup(QString&) const {}
