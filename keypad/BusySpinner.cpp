#include "keypad/BusySpinner.h"

#include <QPainter>

CBusySpinner::CBusySpinner(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(kSize, kSize);
    m_timer.setInterval(kFrameMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        ++m_frames;
        update();
    });
}

void CBusySpinner::Start()
{
    if (m_timer.isActive())
        return;
    m_frames = 0;
    m_timer.start();
    update();
}

void CBusySpinner::Stop()
{
    m_timer.stop();
    update();
}

void CBusySpinner::paintEvent(QPaintEvent*)
{
    // Transparent: the display's background shows between the spokes.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(width() / 2.0, height() / 2.0);
    const QColor spoke(0x2B, 0x57, 0x9A);
    const int head = m_frames % kSpokes;
    for (int i = 0; i < kSpokes; ++i) {
        const int age = (head - i + kSpokes) % kSpokes;
        QColor c = spoke;
        c.setAlphaF(std::max(0.15, 1.0 - age / static_cast<double>(kSpokes)));
        QPen pen(c, 3.0, Qt::SolidLine, Qt::RoundCap);
        painter.setPen(pen);
        painter.save();
        painter.rotate(i * 360.0 / kSpokes);
        painter.drawLine(QPointF(0, -7), QPointF(0, -13));
        painter.restore();
    }
}
