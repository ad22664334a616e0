#pragma once
// The "Add/Change Variable" dialog: a name and a value, both checked on every
// change; "OK" adds a new variable, "Change" gives an existing one the value.
// The texts are trimmed when the dialog ends with either.

#include <map>
#include <string>

#include <QDialog>

#include "panes/EntryChecks.h"

class CLimitedPlainTextEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CAddVarDlg : public QDialog {
    Q_OBJECT
public:
    // variables: the existing ones, for the "already exists" test (must outlive
    // the dialog); form: how the typed name will be stored.
    CAddVarDlg(QWidget* owner, const std::map<std::string, std::string>& variables, VariableNameForm form,
               const std::string& value, int maxDigits);

    void SetInitialName(const std::string& name);

    // The trimmed texts after OK or Change.
    const std::string& Name() const { return m_name; }
    const std::string& Value() const { return m_value; }
    int MaxDigits() const { return m_nMaxDigits; }

    QLineEdit* NameEdit() const { return m_nameEdit; }
    CLimitedPlainTextEdit* ValueEdit() const { return m_valueEdit; }
    QPlainTextEdit* MessageBox() const { return m_message; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* ChangeButton() const { return m_change; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ApplyRules();
    void Finish();

    const std::map<std::string, std::string>& m_variables;
    VariableNameForm m_form;
    int m_nMaxDigits;
    std::string m_name;
    std::string m_value;
    bool m_bFirstShow = true;
    QLineEdit* m_nameEdit;
    CLimitedPlainTextEdit* m_valueEdit;
    QPlainTextEdit* m_message;
    QPushButton* m_change;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
