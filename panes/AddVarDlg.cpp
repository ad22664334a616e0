#include "panes/AddVarDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "panes/DialogParts.h"
#include "panes/LimitedPlainTextEdit.h"
#include "platform/qt/FixedFont.h"

CAddVarDlg::CAddVarDlg(QWidget* owner, const std::map<std::string, std::string>& variables,
                       VariableNameForm form, const std::string& value, int maxDigits)
    : QDialog(owner), m_variables(variables), m_form(form), m_nMaxDigits(maxDigits)
{
    setWindowTitle(QStringLiteral("Add/Change Variable"));
    setSizeGripEnabled(true);

    m_nameEdit = new QLineEdit(this);
    m_valueEdit = new CLimitedPlainTextEdit(this);
    QFont fixed = FixedPitchFont();
    fixed.setPointSizeF(QApplication::font().pointSizeF());
    m_valueEdit->setFont(fixed);
    m_valueEdit->setMinimumHeight(QFontMetrics(fixed).lineSpacing() * 3 + 10);
    m_message = MakeDialogMessageBox(this);

    auto* nameLabel = new QLabel(QStringLiteral("Variable &Name:"), this);
    nameLabel->setBuddy(m_nameEdit);
    auto* valueLabel = new QLabel(QStringLiteral("&Value:"), this);
    valueLabel->setBuddy(m_valueEdit);

    m_change = new QPushButton(QStringLiteral("Change"), this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_change->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    m_ok->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_nameEdit, 0, 1);
    grid->addWidget(valueLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(m_valueEdit, 1, 1);
    grid->addWidget(m_message, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_change);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);

    connect(m_ok, &QPushButton::clicked, this, &CAddVarDlg::Finish);
    connect(m_change, &QPushButton::clicked, this, &CAddVarDlg::Finish);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_valueEdit, &CLimitedPlainTextEdit::returnPressed, this, [this] {
        if (m_ok->isEnabled())
            m_ok->click();
    });

    m_valueEdit->SetText(QString::fromStdString(value));
    connect(m_nameEdit, &QLineEdit::textChanged, this, &CAddVarDlg::ApplyRules);
    connect(m_valueEdit, &QPlainTextEdit::textChanged, this, &CAddVarDlg::ApplyRules);
    ApplyRules();

    resize(420, sizeHint().height());
    setMinimumSize(sizeHint());
}

void CAddVarDlg::SetInitialName(const std::string& name)
{
    m_nameEdit->setText(QString::fromStdString(name));
}

void CAddVarDlg::ApplyRules()
{
    const CVariableDialogVerdict verdict = CheckVariableDialog(
        m_nameEdit->text().toStdString(), m_valueEdit->Text().toStdString(), m_form, m_variables);
    ShowDialogMessage(m_message, verdict.m_message);
    m_ok->setEnabled(verdict.m_bOkEnabled);
    m_change->setEnabled(verdict.m_bChangeEnabled);
}

void CAddVarDlg::Finish()
{
    m_name = TrimmedText(m_nameEdit->text());
    m_value = TrimmedText(m_valueEdit->Text());
    accept();
}

void CAddVarDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_bFirstShow)
        return;
    m_bFirstShow = false;
    CentreOnOwner(this);
    if (!m_nameEdit->text().isEmpty() && !m_valueEdit->Text().isEmpty()) {
        m_valueEdit->setFocus();
        m_valueEdit->selectAll();
    } else {
        m_nameEdit->setFocus();
    }
}
