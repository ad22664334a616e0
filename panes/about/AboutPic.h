#pragma once
// The about box banner: paints the banner picture stretched over its whole
// client area, whatever its size, and never erases its background first.

#include <QPixmap>
#include <QWidget>

class CAboutPic : public QWidget {
    Q_OBJECT
public:
    explicit CAboutPic(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_banner;
};
