#pragma once
// Watches the two calculation events on the user-interface thread: when the
// engine's thread sets one, the event is drained and then reported, so each
// step's outcome is taken exactly once, here.

#include <QObject>

#include <chrono>

class CEvent;
class QSocketNotifier;

class CCalcEventWatcher : public QObject {
    Q_OBJECT
public:
    CCalcEventWatcher(CEvent& done, CEvent& aborted, QObject* parent = nullptr);
    // Stops watching (the frame takes the last report itself at shutdown).
    void Stop();
    // Waits at most budget for either event and reports it at once when it
    // comes: a step that ends that soon is taken before the window paints
    // its busy state. Returns whether an event was reported.
    bool TakeWithin(std::chrono::microseconds budget);

signals:
    void calcDone();
    void calcAborted();

private:
    CEvent& m_done;
    CEvent& m_aborted;
    QSocketNotifier* m_doneNotifier;
    QSocketNotifier* m_abortedNotifier;
};
