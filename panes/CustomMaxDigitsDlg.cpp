#include "panes/CustomMaxDigitsDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "panes/DialogParts.h"
#include "panes/EntryChecks.h"
#include "panes/MaxDigitsEdit.h"
#include "panes/PaneServices.h"

CCustomMaxDigitsDlg::CCustomMaxDigitsDlg(const std::string& initialText, IMessageBoxService& messageBox,
                                         QWidget* owner)
    : QDialog(owner), m_messageBox(messageBox)
{
    setWindowTitle(QStringLiteral("Configure Max Digits"));

    auto* group = new QGroupBox(QStringLiteral("Enter a value between 15 and 512 (inclusive)"), this);
    m_edit = new CMaxDigitsEdit(group);
    m_edit->SetText(QString::fromStdString(initialText));
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 40);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(m_edit);
    groupLayout->addStretch(1);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &CCustomMaxDigitsDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_edit->setFocus();
}

void CCustomMaxDigitsDlg::accept()
{
    const int value = ParseLeadingDigits(m_edit->Text().toStdString());
    if (!IsMaxDigitsInRange(value)) {
        m_messageBox.Show(this, kMaxDigitsRangeMessage, "Error", MessageBoxButtons::Ok, MessageBoxIcon::Stop);
        m_edit->setFocus();
        m_edit->SelectAll();
        return;
    }
    m_nValue = value;
    QDialog::accept();
}

void CCustomMaxDigitsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnOwner(this);
}
