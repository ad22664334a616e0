#include "panes/about/ProgramArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "panes/about/ProgramInfo.h"

namespace {

const QColor kDeepBlue(0x1C, 0x3D, 0x73);
const QColor kMidBlue(0x2F, 0x6B, 0xB8);
const QColor kPaleBlue(0xD9, 0xE8, 0xF7);
const QColor kAccent(0xF2, 0xA5, 0x3A);

// A white "Q" over a rounded blue square, with the keys of a small keypad in
// its lower right corner, in a unit box of 100.
void PaintIcon(QPainter& p)
{
    QLinearGradient background(0, 0, 0, 100);
    background.setColorAt(0.0, kMidBlue);
    background.setColorAt(1.0, kDeepBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(background);
    p.drawRoundedRect(QRectF(2, 2, 96, 96), 20, 20);

    // The ring of the Q.
    p.setPen(QPen(Qt::white, 12));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(16, 14, 56, 62));
    // Its tail: a short stroke across the ring's lower right.
    p.setPen(QPen(Qt::white, 12, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(50, 58), QPointF(66, 76));

    // Four keys, the last in the accent colour.
    p.setPen(Qt::NoPen);
    const QRectF keys[] = {{70, 60, 11, 11}, {84, 60, 11, 11}, {70, 74, 11, 11}, {84, 74, 11, 11}};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i == 3 ? kAccent : kPaleBlue);
        p.drawRoundedRect(keys[i], 2.5, 2.5);
    }
}

}  // namespace

QPixmap DrawProgramIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    PaintIcon(p);
    return pixmap;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(DrawProgramIcon(size));
    return icon;
}

QPixmap DrawAboutBanner()
{
    const int w = kAboutBannerSize.width();
    const int h = kAboutBannerSize.height();
    QPixmap pixmap(kAboutBannerSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, w, h);
    sky.setColorAt(0.0, kMidBlue);
    sky.setColorAt(1.0, kDeepBlue);
    p.fillRect(pixmap.rect(), sky);

    // A faint keypad in the background, on the right.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(QColor(255, 255, 255, 18));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRoundedRect(QRectF(118 + col * 20, 14 + row * 20, 16, 16), 3, 3);

    // A soft light behind the name.
    QRadialGradient glow(QPointF(60, 60), 70);
    glow.setColorAt(0.0, QColor(255, 255, 255, 60));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(60, 60), 70, 70);

    // The icon, the name and the line under it.
    p.save();
    p.translate(12, 16);
    p.scale(0.36, 0.36);
    PaintIcon(p);
    p.restore();

    QFont name;
    name.setFamily(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(26);
    name.setBold(true);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(52, 16, 148, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quillix"));

    QFont sub = name;
    sub.setPixelSize(10);
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(kPaleBlue);
    p.drawText(QRectF(12, 58, 188, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Arbitrary-precision calculator"));

    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(12, 78), QPointF(110, 78));

    // The first digits of pi fading out along the bottom.
    QFont digits = name;
    digits.setFamily(QStringLiteral("DejaVu Sans Mono"));
    digits.setPixelSize(10);
    digits.setBold(false);
    p.setFont(digits);
    QLinearGradient fade(0, 0, w, 0);
    fade.setColorAt(0.0, QColor(255, 255, 255, 170));
    fade.setColorAt(1.0, QColor(255, 255, 255, 10));
    p.setPen(QPen(QBrush(fade), 1));
    p.drawText(QRectF(12, 92, 188, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("3.14159265358979323846264338"));
    p.drawText(QRectF(12, 106, 188, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("2.71828182845904523536028747"));
    return pixmap;
}
