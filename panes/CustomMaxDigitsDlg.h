#pragma once
// "Configure Max Digits": asks for a custom digit count from 15 to 512. A
// value outside the range is refused with a message and the dialog stays.

#include <string>

#include <QDialog>

class CMaxDigitsEdit;
class IMessageBoxService;
class QPushButton;

class CCustomMaxDigitsDlg : public QDialog {
    Q_OBJECT
public:
    CCustomMaxDigitsDlg(const std::string& initialText, IMessageBoxService& messageBox,
                        QWidget* owner = nullptr);

    // The value chosen with OK.
    int Value() const { return m_nValue; }

    CMaxDigitsEdit* Edit() const { return m_edit; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    IMessageBoxService& m_messageBox;
    int m_nValue = 0;
    CMaxDigitsEdit* m_edit;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
