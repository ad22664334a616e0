#pragma once
// The services the panes and dialogs reach the user through: message boxes,
// the clipboard, modal dialog runs, popup menus and item drags. Each is a small
// interface so that tests replace it and never block on a modal loop; the
// defaults are the Qt ones.

#include <memory>
#include <string>

#include <QPoint>

#include "panes/PaneMenu.h"

class QDialog;
class QMimeData;
class QPixmap;
class QWidget;

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxIcon { Question, Stop };
enum class MessageBoxAnswer { Ok, Yes, No };

class IMessageBoxService {
public:
    virtual ~IMessageBoxService() = default;
    virtual MessageBoxAnswer Show(QWidget* owner, const std::string& text, const std::string& caption,
                                  MessageBoxButtons buttons, MessageBoxIcon icon) = 0;
};

class IClipboardService {
public:
    virtual ~IClipboardService() = default;
    virtual void SetText(const std::string& text) = 0;
};

// Runs a dialog modally and gives its result code (QDialog::Accepted, ...).
class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    virtual int Run(QDialog& dialog) = 0;
};

// Shows a popup menu at a screen point; gives the chosen command, 0 for none.
class IPopupMenuRunner {
public:
    virtual ~IPopupMenuRunner() = default;
    virtual int Run(QWidget* owner, const CMenuItems& items, QPoint screenPos) = 0;
};

// Runs an item drag from source (QDrag) and gives the screen point where the
// button was released.
class IItemDragRunner {
public:
    virtual ~IItemDragRunner() = default;
    virtual QPoint Run(QWidget* source, std::unique_ptr<QMimeData> data, const QPixmap& image,
                       QPoint hotSpot) = 0;
};

struct CPaneServices {
    IMessageBoxService* m_messageBox = nullptr;
    IClipboardService* m_clipboard = nullptr;
    IDialogRunner* m_dialogs = nullptr;
    IPopupMenuRunner* m_menus = nullptr;
    IItemDragRunner* m_drags = nullptr;

    // The Qt implementations (stateless, shared by every pane).
    static CPaneServices Default();
};

// The clipboard copy of the panes: an empty text leaves the clipboard as it was.
void CopyToClipboard(IClipboardService& clipboard, const std::string& text);

// MIME type of a pane item being dragged (the text of the number). Drop targets
// of the frame may accept it for the cursor's sake; the pane itself enters the
// number when the owner reports the release point as a drop target.
inline constexpr const char* kPaneItemMimeType = "application/x-quillix-pane-item";
