#include "docking/CaptionButtons.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "docking/core/CaptionLayout.h"

namespace dockwins {

CCaptionButtons::CCaptionButtons(QWidget& owner, std::function<void()> repaint)
    : QObject(&owner), m_owner(owner), m_repaint(std::move(repaint))
{
}

CCaptionButtons::~CCaptionButtons()
{
    if (m_held != 0)
        qApp->removeEventFilter(this);
}

bool CCaptionButtons::Press(int hit)
{
    if (hit != CAPTION_HIT_CLOSE && hit != CAPTION_HIT_PIN)
        return false;
    if (m_held == 0)
        qApp->installEventFilter(this);
    m_held = hit;
    Set(hit == CAPTION_HIT_CLOSE ? ButtonState::Pressed : ButtonState::Normal,
        hit == CAPTION_HIT_PIN ? ButtonState::Pressed : ButtonState::Normal);
    return true;
}

void CCaptionButtons::Move(int hit, bool leftDown)
{
    if (m_held != 0) {
        // Pressed while over the button, normal off it.
        const ButtonState state = hit == m_held ? ButtonState::Pressed : ButtonState::Normal;
        Set(m_held == CAPTION_HIT_CLOSE ? state : ButtonState::Normal,
            m_held == CAPTION_HIT_PIN ? state : ButtonState::Normal);
    } else if (!leftDown) {
        Set(hit == CAPTION_HIT_CLOSE ? ButtonState::Hot : ButtonState::Normal,
            hit == CAPTION_HIT_PIN ? ButtonState::Hot : ButtonState::Normal);
    }
}

int CCaptionButtons::Release(int hit)
{
    const int held = m_held;
    Cancel();
    return held != 0 && hit == held ? held : 0;
}

void CCaptionButtons::Cancel()
{
    if (m_held != 0)
        qApp->removeEventFilter(this);
    m_held = 0;
    Set(ButtonState::Normal, ButtonState::Normal);
}

void CCaptionButtons::Leave()
{
    if (m_held == 0)
        Set(ButtonState::Normal, ButtonState::Normal);
}

bool CCaptionButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (m_held != 0) {
        const QEvent::Type type = event->type();
        if (type == QEvent::KeyPress) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape || (key->modifiers() & Qt::AltModifier)) {
                Cancel();
                return true;  // the key goes no further
            }
        }
        if (type == QEvent::ApplicationDeactivate ||
            (type == QEvent::WindowDeactivate && watched == m_owner.window()))
            Cancel();
    }
    return QObject::eventFilter(watched, event);
}

void CCaptionButtons::Set(ButtonState close, ButtonState pin)
{
    if (close == m_close && pin == m_pin)
        return;
    m_close = close;
    m_pin = pin;
    m_repaint();
}

}  // namespace dockwins
