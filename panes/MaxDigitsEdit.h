#pragma once
// The Max Digits edit: digits only, at most 3 of them, with arrows that step
// the value within 15..512. Unlike a spin box it keeps any typed text (such as
// 14 or 999), so the dialog's own range check and its message run on OK.

#include <QAbstractSpinBox>

class CMaxDigitsEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 3;

    explicit CMaxDigitsEdit(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    void SelectAll();

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

protected:
    StepEnabled stepEnabled() const override;
};
