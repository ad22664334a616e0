#include "panes/PaneImageList.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kInk(0x3E, 0x62, 0xD9);        // the schemes' blue text
const QColor kInkLight(0xC9, 0xD6, 0xF6);
const QColor kPaper(0xFF, 0xFF, 0xFF);

QPixmap Blank()
{
    QPixmap pixmap(CPaneImageList::kImageSize, CPaneImageList::kImageSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap DrawClock()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    return pixmap;
}

QPixmap DrawVariableBox()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
    return pixmap;
}

// A small card with two lines of figures.
QPixmap DrawItemMark()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kInkLight);
    p.drawRoundedRect(QRectF(2.5, 4.5, 11, 8), 1.5, 1.5);
    p.setPen(QPen(kInk, 1.0));
    p.drawLine(QPointF(5, 7.5), QPointF(11, 7.5));
    p.drawLine(QPointF(7, 9.5), QPointF(11, 9.5));
    return pixmap;
}

// The item mark lifted: a shadow and a stronger card.
QPixmap DrawDragImage()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(QRectF(3, 4, 12, 10), 2, 2);
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(0.5, 1.5, 12, 10), 2, 2);
    p.setPen(QPen(kPaper, 1.0));
    p.drawLine(QPointF(3, 5), QPointF(10, 5));
    p.drawLine(QPointF(5, 8), QPointF(10, 8));
    return pixmap;
}

}  // namespace

CPaneImageList::CPaneImageList(Kind kind) : m_kind(kind)
{
    m_images[kPaneIcon] = kind == Kind::History ? DrawClock() : DrawVariableBox();
    m_images[kItemMark] = DrawItemMark();
    m_images[kDragImage] = DrawDragImage();
}

const QPixmap& CPaneImageList::Pixmap(int index) const
{
    static const QPixmap none;
    if (index < 0 || index >= Count())
        return none;
    return m_images[static_cast<std::size_t>(index)];
}
