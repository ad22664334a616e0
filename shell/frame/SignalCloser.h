#pragma once
// SIGTERM and SIGINT close the main window as the user would (settings are
// saved on the way out): the signal handler only writes a byte to a pipe,
// which the event loop reads.

#include <QObject>

class QSocketNotifier;

class CSignalCloser : public QObject {
    Q_OBJECT
public:
    explicit CSignalCloser(QObject* parent = nullptr);
    ~CSignalCloser() override;
    bool IsInstalled() const { return m_notifier != nullptr; }

signals:
    void closeRequested(int signalNumber);

private:
    QSocketNotifier* m_notifier = nullptr;
};
