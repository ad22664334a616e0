#pragma once
// Runs an idle handler once each time the event loop is about to wait, after
// input other than mouse moves and paints (or after a calculation event): the
// status bar, menus and keypad states are brought up to date once per burst.

#include <QObject>

#include <functional>

class CIdleHook : public QObject {
public:
    explicit CIdleHook(std::function<void()> handler, QObject* parent = nullptr);
    ~CIdleHook() override;

    // Asks for one more run before the next wait.
    void MarkDirty() { m_dirty = true; }
    bool IsDirty() const { return m_dirty; }
    // Runs the handler now when there is something to do.
    void RunIfDirty();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_handler;
    bool m_dirty = true;
    bool m_running = false;
};
