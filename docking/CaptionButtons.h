#pragma once
// The close and pin buttons of a caption under the pointer: hot while the
// pointer rests on one, pressed while the left button that went down on it is
// held over it, and a click only when it is released on that button. Escape,
// Alt or a deactivation ends a press without a click: while a button is held
// an application-wide filter watches for them, wherever the focus is.

#include <functional>

#include <QObject>

#include "docking/core/CaptionGlyphs.h"

class QWidget;

namespace dockwins {

class CCaptionButtons final : public QObject {
public:
    // owner: the widget whose caption holds the buttons; repaint redraws them
    // after a state changed.
    CCaptionButtons(QWidget& owner, std::function<void()> repaint);
    ~CCaptionButtons() override;

    ButtonState Close() const { return m_close; }
    ButtonState Pin() const { return m_pin; }
    // The caption hit code of the button held down, 0 when none.
    int Held() const { return m_held; }

    // A left press at a caption hit code: holds the close or pin button
    // there; false (and nothing held) anywhere else.
    bool Press(int hit);
    // The pointer over a caption hit code, the left button down or not.
    void Move(int hit, bool leftDown);
    // A left release over a caption hit code ends the press: the button
    // clicked when it is the one held, else 0.
    int Release(int hit);
    // Ends a press without a click; both buttons are drawn normal.
    void Cancel();
    // The pointer left the owner: nothing is hot (a held button stays held).
    void Leave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Set(ButtonState close, ButtonState pin);

    QWidget& m_owner;
    std::function<void()> m_repaint;
    int m_held = 0;
    ButtonState m_close = ButtonState::Normal;
    ButtonState m_pin = ButtonState::Normal;
};

}  // namespace dockwins
