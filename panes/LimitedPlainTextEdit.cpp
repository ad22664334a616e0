#include "panes/LimitedPlainTextEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

CLimitedPlainTextEdit::CLimitedPlainTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &CLimitedPlainTextEdit::EnforceLimit);
}

void CLimitedPlainTextEdit::SetMaxLength(int maxLength)
{
    m_nMaxLength = std::max(0, maxLength);
    EnforceLimit();
}

void CLimitedPlainTextEdit::SetText(const QString& text)
{
    setPlainText(text.left(m_nMaxLength));
}

int CLimitedPlainTextEdit::Room() const
{
    const QTextCursor cursor = textCursor();
    const int selected = cursor.selectionEnd() - cursor.selectionStart();
    return m_nMaxLength - (static_cast<int>(toPlainText().size()) - selected);
}

void CLimitedPlainTextEdit::keyPressEvent(QKeyEvent* event)
{
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isReturn && !(event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        emit returnPressed();
        return;
    }
    const QString typed = isReturn ? QStringLiteral("\n") : event->text();
    const bool inserts = !typed.isEmpty() && (isReturn || typed.at(0).isPrint());
    if (inserts && Room() < typed.size()) {
        event->accept();
        QApplication::beep();
        return;
    }
    if (isReturn) {   // Ctrl+Return breaks the line
        textCursor().insertText(typed);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CLimitedPlainTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    const int room = Room();
    if (room <= 0) {
        QApplication::beep();
        return;
    }
    textCursor().insertText(source->text().left(room));
    ensureCursorVisible();
}

void CLimitedPlainTextEdit::EnforceLimit()
{
    // Undo, redo and anything else that bypasses the checks above.
    if (m_bEnforcing || toPlainText().size() <= m_nMaxLength)
        return;
    m_bEnforcing = true;
    QTextCursor cursor = textCursor();
    const int position = std::min(cursor.position(), m_nMaxLength);
    cursor.setPosition(m_nMaxLength);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.setPosition(position);
    setTextCursor(cursor);
    m_bEnforcing = false;
}
