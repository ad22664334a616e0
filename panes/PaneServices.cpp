#include "panes/PaneServices.h"

#include <QAction>
#include <QCursor>
#include <QDialog>
#include <QDrag>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPixmap>

#include "platform/qt/Clipboard.h"

namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

class CQtMessageBoxService final : public IMessageBoxService {
public:
    MessageBoxAnswer Show(QWidget* owner, const std::string& text, const std::string& caption,
                          MessageBoxButtons buttons, MessageBoxIcon icon) override
    {
        QMessageBox box(icon == MessageBoxIcon::Stop ? QMessageBox::Critical : QMessageBox::Question,
                        ToQString(caption), ToQString(text),
                        buttons == MessageBoxButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No)
                                                            : QMessageBox::Ok,
                        owner);
        switch (box.exec()) {
        case QMessageBox::Yes: return MessageBoxAnswer::Yes;
        case QMessageBox::No: return MessageBoxAnswer::No;
        default: return buttons == MessageBoxButtons::YesNo ? MessageBoxAnswer::No : MessageBoxAnswer::Ok;
        }
    }
};

class CQtClipboardService final : public IClipboardService {
public:
    void SetText(const std::string& text) override { SetClipboardText(text); }
};

class CQtDialogRunner final : public IDialogRunner {
public:
    int Run(QDialog& dialog) override { return dialog.exec(); }
};

class CQtPopupMenuRunner final : public IPopupMenuRunner {
public:
    int Run(QWidget* owner, const CMenuItems& items, QPoint screenPos) override
    {
        QMenu menu(owner);
        for (const CMenuItemState& item : items) {
            if (item.IsSeparator()) {
                menu.addSeparator();
                continue;
            }
            QAction* action = menu.addAction(ToQString(item.m_text));
            action->setEnabled(item.m_bEnabled);
            action->setData(item.m_command);
        }
        // QMenu keeps the menu within the screen's available area.
        QAction* chosen = menu.exec(screenPos);
        return chosen ? chosen->data().toInt() : 0;
    }
};

class CQtItemDragRunner final : public IItemDragRunner {
public:
    QPoint Run(QWidget* source, std::unique_ptr<QMimeData> data, const QPixmap& image,
               QPoint hotSpot) override
    {
        auto* drag = new QDrag(source);   // owned by source until the drag ends
        drag->setMimeData(data.release());
        drag->setPixmap(image);
        drag->setHotSpot(hotSpot);
        drag->exec(Qt::CopyAction, Qt::CopyAction);
        return QCursor::pos();
    }
};

}  // namespace

CPaneServices CPaneServices::Default()
{
    static CQtMessageBoxService messageBox;
    static CQtClipboardService clipboard;
    static CQtDialogRunner dialogs;
    static CQtPopupMenuRunner menus;
    static CQtItemDragRunner drags;
    return {&messageBox, &clipboard, &dialogs, &menus, &drags};
}

void CopyToClipboard(IClipboardService& clipboard, const std::string& text)
{
    if (!text.empty())
        clipboard.SetText(text);
}
