#include "panes/DialogParts.h"

#include <boost/algorithm/string/trim.hpp>

QPlainTextEdit* MakeDialogMessageBox(QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFrameShape(QFrame::NoFrame);
    QPalette colors = box->palette();
    colors.setColor(QPalette::Base, colors.color(QPalette::Window));
    box->setPalette(colors);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * 3 + 10);
    return box;
}

void ShowDialogMessage(QPlainTextEdit* box, const std::string& text)
{
    const QString shown = QString::fromStdString(text);
    if (box->toPlainText() != shown)
        box->setPlainText(shown);
}

std::string TrimmedText(const QString& text)
{
    return boost::algorithm::trim_copy(text.toStdString());
}

void CentreOnOwner(QWidget* dialog)
{
    const QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    if (!owner)
        return;
    const QRect frame = owner->frameGeometry();
    QRect rect = dialog->frameGeometry();
    rect.moveCenter(frame.center());
    dialog->move(rect.topLeft());
}
