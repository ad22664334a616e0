#pragma once
// The flying item: when a history item or a variable is put in as a new
// entry, its picture flies from the item to the entry line in 15 steps of
// 10 ms before the text is entered.

#include <QLabel>
#include <QPoint>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

// The points of a flight from `from` to `to`: along x in steps of the
// distance / steps (truncated) with y on the line between them; a vertical
// flight steps along y. No step passes the target; the last point is it.
std::vector<QPoint> FlightPath(QPoint from, QPoint to, int steps = 15);

class CFlyingItem : public QLabel {
public:
    explicit CFlyingItem(QWidget* owner);

    // Starts a flight of the picture (screen points); false while one is on
    // its way. landed runs with text at the end.
    bool Start(const QPixmap& picture, QPoint from, QPoint to, std::string text,
               std::function<void(const std::string&)> landed);
    bool IsFlying() const { return m_timer.isActive(); }

private:
    void Step();

    QTimer m_timer;
    std::vector<QPoint> m_path;
    std::size_t m_next = 0;
    std::string m_text;
    std::function<void(const std::string&)> m_landed;
};
