#pragma once
// A multi-line edit of the entry dialogs: holds at most MaxLength() characters
// however the text arrives (typing, paste, drop), and Return (without Ctrl)
// does not break the line but signals returnPressed, so the dialog presses
// its default button.

#include <QPlainTextEdit>

class CLimitedPlainTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kDefaultMaxLength = 1000;

    explicit CLimitedPlainTextEdit(QWidget* parent = nullptr);

    int MaxLength() const { return m_nMaxLength; }
    void SetMaxLength(int maxLength);
    // Sets the text, cut to the limit.
    void SetText(const QString& text);
    QString Text() const { return toPlainText(); }

signals:
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int Room() const;
    void EnforceLimit();

    int m_nMaxLength = kDefaultMaxLength;
    bool m_bEnforcing = false;
};
