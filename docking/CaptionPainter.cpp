#include "docking/CaptionPainter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <array>
#include <optional>

#include "docking/DockEvents.h"
#include "docking/core/CaptionEllipsis.h"
#include "docking/core/PinIcons.h"

namespace dockwins {

namespace {


// The horizontal or vertical run [from, to) of one pixel thickness.
void Run(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& colour)
{
    if (x1 == x2 && y2 > y1)
        painter.fillRect(QRect(x1, y1, 1, y2 - y1), colour);
    else if (y1 == y2 && x2 > x1)
        painter.fillRect(QRect(x1, y1, x2 - x1, 1), colour);
}

void Frame(QPainter& painter, const RECT& r, const QColor& topLeft, const QColor& bottomRight)
{
    Run(painter, r.left, r.top, r.right - 1, r.top, topLeft);
    Run(painter, r.left, r.top, r.left, r.bottom - 1, topLeft);
    Run(painter, r.left, r.bottom - 1, r.right, r.bottom - 1, bottomRight);
    Run(painter, r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight);
}

void DrawButtonEdge(QPainter& painter, const QPalette& palette, const RECT& button, ButtonState state)
{
    switch (EdgeForState(state)) {
    case ButtonEdge::Sunken: DrawEdge(painter, palette, button, EdgeKind::SunkenOuter); break;
    case ButtonEdge::Raised: DrawEdge(painter, palette, button, EdgeKind::RaisedInner); break;
    case ButtonEdge::None: break;
    }
}

void DrawCloseGlyph(QPainter& painter, const RECT& button, const CaptionPaintState& state, const QColor& colour)
{
    // The symbol font's cross is not at hand: its lines are drawn at the symbol's size.
    const CloseGlyph glyph = DockingCloseGlyph(button, state.smallCaptionHeight, state.close, state.logicalDpiY);
    painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::FlatCap));
    for (const GlyphLine& line : glyph.lines)
        DrawGlyphLine(painter, line);
}

void DrawPinGlyph(QPainter& painter, const RECT& button, const CaptionPaintState& state, const QColor& colour)
{
    const PinGlyph glyph = DockingPinGlyph(button, state.smallCaptionHeight, state.pinned, state.pin);
    painter.setPen(QPen(colour, glyph.penWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    const auto toQ = [](POINT p) { return QPoint(p.x, p.y); };
    painter.drawLine(toQ(glyph.needle.from), toQ(glyph.needle.to));
    painter.drawLine(toQ(glyph.crossBar.from), toQ(glyph.crossBar.to));
    QPolygon body;
    for (const POINT& p : glyph.body)
        body << toQ(p);
    painter.drawPolygon(body);
    painter.fillRect(ToQRect(glyph.strip), colour);
}

}  // namespace

QColor CaptionColour(const QPalette& palette, CaptionColourRole role)
{
    switch (role) {
    case CaptionColourRole::Button: return palette.color(QPalette::Button);
    case CaptionColourRole::ButtonText: return palette.color(QPalette::ButtonText);
    case CaptionColourRole::Highlight: return palette.color(QPalette::Highlight);
    case CaptionColourRole::HighlightedText: return palette.color(QPalette::HighlightedText);
    }
    return palette.color(QPalette::Button);
}

void DrawEdge(QPainter& painter, const QPalette& palette, const RECT& r, EdgeKind kind)
{
    if (r.IsEmpty())
        return;
    const QColor light = palette.color(QPalette::Light);
    const QColor shadow = palette.color(QPalette::Mid);
    switch (kind) {
    case EdgeKind::SunkenOuter: Frame(painter, r, shadow, light); break;
    case EdgeKind::RaisedInner: Frame(painter, r, light, shadow); break;
    case EdgeKind::Etched:
        Frame(painter, r, shadow, light);
        Frame(painter, r.Inset(1, 1), light, shadow);
        break;
    }
}

void DrawGlyphLine(QPainter& painter, const GlyphLine& line)
{
    // A flat-capped cosmetic line covers its start but not its end point.
    painter.drawLine(QPoint(line.from.x, line.from.y), QPoint(line.to.x, line.to.y));
}

void PaintDockingCaption(QPainter& painter, const QPalette& palette, const QFont& font, const CaptionLayout& layout,
                         const QString& title, const CaptionPaintState& state)
{
    if (layout.caption.IsEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const CaptionColours colours = ChooseCaptionColours(state.active);
    const RECT band = CaptionBand(layout);
    painter.fillRect(ToQRect(layout.caption), CaptionColour(palette, colours.fill));
    painter.fillRect(ToQRect(band), CaptionColour(palette, colours.band));
    if (colours.etchedFrame) {
        // Without the four corner pixels: the long sides and the short ones apart.
        const QColor light = palette.color(QPalette::Light);
        const QColor shadow = palette.color(QPalette::Mid);
        const RECT across{band.left + 1, band.top, band.right - 1, band.bottom};
        const RECT along{band.left, band.top + 1, band.right, band.bottom - 1};
        Run(painter, across.left, across.top, across.right, across.top, shadow);
        Run(painter, across.left, across.top + 1, across.right, across.top + 1, light);
        Run(painter, across.left, across.bottom - 2, across.right, across.bottom - 2, shadow);
        Run(painter, across.left, across.bottom - 1, across.right, across.bottom - 1, light);
        Run(painter, along.left, along.top, along.left, along.bottom, shadow);
        Run(painter, along.left + 1, along.top, along.left + 1, along.bottom, light);
        Run(painter, along.right - 2, along.top, along.right - 2, along.bottom, shadow);
        Run(painter, along.right - 1, along.top, along.right - 1, along.bottom, light);
    }
    const QColor text = CaptionColour(palette, colours.text);

    CaptionLayout textLayout = layout;
    if (!state.showPin)
        textLayout.pin = layout.close;
    const RECT textRect = CaptionTextRect(textLayout);
    const QString trimmed = title;
    if (!trimmed.isEmpty() && !textRect.IsEmpty()) {
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const std::u16string_view view(reinterpret_cast<const char16_t*>(trimmed.utf16()),
                                       static_cast<std::size_t>(trimmed.size()));
        const EllipsisText cut = CutEllipsisText(
            view, textRect, layout.horizontal, metrics.height(), [&metrics](std::u16string_view piece) {
                return metrics.horizontalAdvance(
                    QString::fromUtf16(piece.data(), static_cast<qsizetype>(piece.size())));
            });
        if (cut.draw) {
            painter.setPen(text);
            painter.setClipRect(ToQRect(cut.clip));
            const QString drawn = QString::fromStdU16String(cut.text);
            painter.translate(cut.origin.x, cut.origin.y);
            if (!layout.horizontal)
                painter.rotate(90);  // the title runs downward, its top to the right
            painter.drawText(QRect(0, 0, metrics.horizontalAdvance(drawn) + 1, metrics.height()),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, drawn);
            painter.resetTransform();
            painter.setClipping(false);
        }
    }

    const QColor buttonFace = CaptionColour(palette, ButtonBackground(state.active));
    painter.fillRect(ToQRect(layout.close), buttonFace);
    DrawCloseGlyph(painter, layout.close, state, text);
    DrawButtonEdge(painter, palette, layout.close, state.close);
    if (state.showPin) {
        painter.fillRect(ToQRect(layout.pin), buttonFace);
        DrawPinGlyph(painter, layout.pin, state, text);
        DrawButtonEdge(painter, palette, layout.pin, state.pin);
    }
    painter.restore();
}

}  // namespace dockwins

namespace dockwins {

void DrawEllipsisText(QPainter& painter, const QFont& font, const RECT& room, bool horizontal,
                      const QString& text, const QColor& colour)
{
    if (text.isEmpty() || room.IsEmpty())
        return;
    const QFontMetrics metrics(font);
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<std::size_t>(text.size()));
    const EllipsisText cut =
        CutEllipsisText(view, room, horizontal, metrics.height(), [&metrics](std::u16string_view piece) {
            return metrics.horizontalAdvance(QString::fromUtf16(piece.data(), static_cast<qsizetype>(piece.size())));
        });
    if (!cut.draw)
        return;
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.setClipRect(ToQRect(cut.clip), Qt::IntersectClip);
    const QString drawn = QString::fromStdU16String(cut.text);
    painter.translate(cut.origin.x, cut.origin.y);
    if (!horizontal)
        painter.rotate(90);  // runs downward, its top to the right
    painter.drawText(QRect(0, 0, metrics.horizontalAdvance(drawn) + 1, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, drawn);
    painter.restore();
}

const QImage& PinIconImage(bool pinned)
{
    // Built on first use (user-interface thread) and never changed.
    static const std::array<QImage, 2> images = [] {
        std::array<QImage, 2> made;
        for (const bool which : {false, true}) {
            const auto& resource = PinIconResource(which);
            const std::optional<IconPixels> pixels = DecodeIconResource(resource.data(), resource.size());
            QImage image(pixels ? pixels->width : 0, pixels ? pixels->height : 0, QImage::Format_ARGB32);
            for (int y = 0; pixels && y < pixels->height; ++y)
                for (int x = 0; x < pixels->width; ++x)
                    image.setPixel(x, y, pixels->argb[static_cast<std::size_t>(y * pixels->width + x)]);
            made[which ? 1 : 0] = image;
        }
        return made;
    }();
    return images[pinned ? 1 : 0];
}

void PaintAutoHideCaption(QPainter& painter, const QPalette& palette, const QFont& font, const CaptionLayout& layout,
                          const QString& title, bool active, ButtonState close, ButtonState pin, bool pinned)
{
    if (layout.caption.IsEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor fill = palette.color(active ? QPalette::Highlight : QPalette::Button);
    const QColor text = palette.color(active ? QPalette::HighlightedText : QPalette::ButtonText);
    painter.fillRect(ToQRect(layout.caption), fill);
    DrawEllipsisText(painter, font, CaptionTextRect(layout), layout.horizontal, title, text);

    painter.setPen(QPen(text, 1, Qt::SolidLine, Qt::FlatCap));
    for (const GlyphLine& line : AutoHideCloseGlyph(layout.close))
        DrawGlyphLine(painter, line);
    DrawButtonEdge(painter, palette, layout.close, close);
    // 11 x 11 in the middle of the button; a smaller button gets it at its own size.
    const RECT icon = AutoHidePinIconRect(layout.pin);
    if (!icon.IsEmpty())
        painter.drawImage(ToQRect(icon), PinIconImage(pinned));
    DrawButtonEdge(painter, palette, layout.pin, pin);
    DrawEdge(painter, palette, layout.caption, EdgeKind::Etched);
    painter.restore();
}

}  // namespace dockwins
