#include "panes/about/AboutPic.h"

#include <QPainter>

#include "panes/about/ProgramArt.h"

CAboutPic::CAboutPic(QWidget* parent) : QWidget(parent), m_banner(DrawAboutBanner())
{
    // The picture covers every pixel: no background erase before painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CAboutPic::sizeHint() const { return kAboutBannerSize; }

void CAboutPic::paintEvent(QPaintEvent* /*event*/)
{
    if (m_banner.isNull())
        return;
    QPainter painter(this);
    // A plain (not smoothed) stretch of the whole picture onto the whole widget.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), m_banner, m_banner.rect());
}
