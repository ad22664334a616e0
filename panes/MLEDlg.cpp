#include "panes/MLEDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "panes/DialogParts.h"
#include "panes/EntryChecks.h"
#include "panes/LimitedPlainTextEdit.h"
#include "platform/qt/FixedFont.h"

CMLEDlg::CMLEDlg(QWidget* owner, const std::string& text, int maxDigits)
    : QDialog(owner), m_text(text), m_nMaxDigits(maxDigits)
{
    setWindowTitle(QStringLiteral("Edit Entry (Free Form)"));
    setSizeGripEnabled(true);

    m_edit = new CLimitedPlainTextEdit(this);
    QFont font = FixedPitchFont();
    const QFontInfo base(QApplication::font());
    font.setPixelSize(base.pixelSize() + 2);
    m_edit->setFont(font);
    m_edit->setMinimumSize(QFontMetrics(font).horizontalAdvance(QLatin1Char('0')) * 40,
                           QFontMetrics(font).lineSpacing() * 4 + 10);
    m_message = MakeDialogMessageBox(this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_message);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &CMLEDlg::Finish);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_edit, &CLimitedPlainTextEdit::returnPressed, this, [this] {
        if (m_ok->isEnabled())
            m_ok->click();
    });
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CMLEDlg::Check);

    m_edit->SetText(QString::fromStdString(text));
    Check();
    m_edit->setFocus();
    setMinimumSize(sizeHint());
}

void CMLEDlg::Check()
{
    const CFreeFormVerdict verdict = CheckFreeFormEntry(m_edit->Text().toStdString(), m_nMaxDigits);
    if (verdict.m_message)
        ShowDialogMessage(m_message, *verdict.m_message);
    m_ok->setEnabled(verdict.m_bOkEnabled);
}

void CMLEDlg::Finish()
{
    m_text = TrimmedText(m_edit->Text());
    accept();
}

void CMLEDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_bFirstShow)
        return;
    m_bFirstShow = false;
    CentreOnOwner(this);
    // No selection, the caret after the text: typing goes on from the end.
    QTextCursor cursor = m_edit->textCursor();
    cursor.movePosition(QTextCursor::End);
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
}
