#pragma once
// A keypad button bound to one or more commands (faces). A click posts the
// current face's id as command(); holding the left button for 500 ms on a
// multi-face button opens a menu that runs any face once or changes the face
// ("Change To"). flash() shows it pressed for 100 ms. It never takes keyboard
// focus.

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "keypad/KeypadCommands.h"

class CGlyphList;
class ICalcBtnParent;
class QMenu;

class CCalcBtn : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHoldMilliseconds = 500;
    static constexpr int kFlashMilliseconds = 100;

    CCalcBtn(const CGlyphList* images, CommandList commands, QWidget* parent = nullptr);
    // One command with an empty name.
    CCalcBtn(const CGlyphList* images, unsigned commandId, unsigned imageIndex, QWidget* parent = nullptr);
    ~CCalcBtn() override;

    void SetParentInterface(ICalcBtnParent* parent) { m_parent = parent; }

    unsigned GetCommandId() const;
    // The first face with that id becomes current; unknown ids change nothing.
    void SelectCommand(unsigned commandId);
    void Flash();

    const CommandList& Commands() const { return m_commands; }
    int CurrentIndex() const { return m_current; }
    bool IsHovering() const { return m_hovering; }
    bool IsPressed() const { return m_pressed; }
    bool IsFlashed() const { return m_flashed; }
    int FlashTimeRemaining() const { return m_flashTimer.remainingTime(); }
    bool IsMenuShowing() const { return m_menuShowing; }
    QMenu* PopupMenu() const { return m_menu; }

    // A menu item was chosen: ids above 100 run once, 100 or less are the
    // index of the new face.
    void OnMenuCommand(int id);

signals:
    // Posted: arrives from the event loop after the click.
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Init();
    void BuildMenu();
    void RenewChangeToChecks();
    void OnHoldTimer();
    void OnMenuClosed();
    void Press(QPoint pos);
    void ClearHover();
    void Post(int id);

    const CGlyphList* m_images;
    CommandList m_commands;
    int m_current = 0;
    ICalcBtnParent* m_parent = nullptr;
    QMenu* m_menu = nullptr;
    QMenu* m_changeTo = nullptr;
    bool m_hovering = false;
    bool m_pressed = false;
    bool m_flashed = false;
    bool m_menuShowing = false;
    QTimer m_flashTimer;
    QTimer m_holdTimer;
    QPoint m_lastPos;
};
