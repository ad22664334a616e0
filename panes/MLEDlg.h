#pragma once
// "Edit Entry (Free Form)": the user types or pastes a whole number as text,
// checked on every change against the current Max Digits. On OK the text,
// trimmed at both ends, is the dialog's result.

#include <string>

#include <QDialog>

class CLimitedPlainTextEdit;
class QPlainTextEdit;
class QPushButton;

class CMLEDlg : public QDialog {
    Q_OBJECT
public:
    CMLEDlg(QWidget* owner, const std::string& text, int maxDigits);

    // The initial text; the trimmed text after OK.
    const std::string& Text() const { return m_text; }
    int MaxDigits() const { return m_nMaxDigits; }

    CLimitedPlainTextEdit* Edit() const { return m_edit; }
    QPlainTextEdit* MessageBox() const { return m_message; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Check();
    void Finish();

    std::string m_text;
    int m_nMaxDigits;
    bool m_bFirstShow = true;
    CLimitedPlainTextEdit* m_edit;
    QPlainTextEdit* m_message;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
