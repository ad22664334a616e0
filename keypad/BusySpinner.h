#pragma once
// The busy animation: a small spinner that turns while a calculation runs.

#include <QTimer>
#include <QWidget>

class CBusySpinner : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 32;
    static constexpr int kSpokes = 12;
    static constexpr int kFrameMilliseconds = 80;

    explicit CBusySpinner(QWidget* parent = nullptr);

    // Start from the first frame; a running spinner is not restarted.
    void Start();
    void Stop();
    bool IsRunning() const { return m_timer.isActive(); }
    // Frames shown since the last Start.
    int FrameCount() const { return m_frames; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_frames = 0;
};
