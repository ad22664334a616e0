#include "keypad/GlyphList.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor ToneColor(GlyphTone tone)
{
    switch (tone) {
    case GlyphTone::Digit: return QColor(0x1A, 0x23, 0x5A);
    case GlyphTone::Operator: return QColor(0x9A, 0x1B, 0x1B);
    case GlyphTone::Function: return QColor(0x1F, 0x4E, 0x8C);
    case GlyphTone::Clear: return QColor(0xC0, 0x28, 0x1E);
    case GlyphTone::Latched: return QColor(0x0B, 0x5C, 0xAD);
    case GlyphTone::ErrorIcon: return QColor(0xD3, 0x2F, 0x2F);
    case GlyphTone::HelpIcon: return QColor(0x1E, 0x6F, 0xC8);
    case GlyphTone::InfoIcon: return QColor(0x2E, 0x7D, 0x32);
    case GlyphTone::Plain: break;
    }
    return QColor(0x20, 0x20, 0x20);
}

bool IsIcon(GlyphTone tone)
{
    return tone == GlyphTone::ErrorIcon || tone == GlyphTone::HelpIcon || tone == GlyphTone::InfoIcon;
}

QFont GlyphFont(const GlyphStripSpec& spec, QFont::Weight weight, double scale = 1.0)
{
    QFont font = qApp ? QApplication::font() : QFont();
    font.setPixelSize(std::max(6, static_cast<int>(spec.fontPixelSize * scale + 0.5)));
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawIcon(QPainter& painter, const GlyphStripSpec& spec, const GlyphLabel& label, QRectF cell)
{
    const QRectF disc = cell.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToneColor(label.tone));
    painter.drawEllipse(disc);
    painter.setPen(Qt::white);
    painter.setFont(GlyphFont(spec, QFont::Bold));
    painter.drawText(disc, Qt::AlignCenter, QString::fromUtf8(label.text.data(), label.text.size()));
}

void DrawLabel(QPainter& painter, const GlyphStripSpec& spec, const GlyphLabel& label, QRectF cell)
{
    const QFont::Weight weight = spec.bold || label.tone == GlyphTone::Latched ? QFont::Bold
                                 : label.tone == GlyphTone::Digit                ? QFont::DemiBold
                                                                                 : QFont::Normal;
    const QFont mainFont = GlyphFont(spec, weight);
    const QFont smallFont = GlyphFont(spec, weight, 0.62);
    const QFontMetricsF main(mainFont);
    const QFontMetricsF small(smallFont);
    const QString text = QString::fromUtf8(label.text.data(), label.text.size());
    const QString sup = QString::fromUtf8(label.superscript.data(), label.superscript.size());
    const QString pre = QString::fromUtf8(label.prescript.data(), label.prescript.size());

    const double preWidth = pre.isEmpty() ? 0.0 : small.horizontalAdvance(pre) - 0.5;
    const double textWidth = main.horizontalAdvance(text);
    const double supWidth = sup.isEmpty() ? 0.0 : small.horizontalAdvance(sup) + 0.5;
    const double total = preWidth + textWidth + supWidth;

    double x = cell.left() + (cell.width() - total) / 2.0;
    const double baseline = cell.top() + (cell.height() + main.ascent() - main.descent()) / 2.0;
    const double raised = baseline - main.ascent() * 0.42;

    painter.setPen(ToneColor(label.tone));
    if (!pre.isEmpty()) {
        painter.setFont(smallFont);
        painter.drawText(QPointF(x, raised), pre);
        x += preWidth;
    }
    painter.setFont(mainFont);
    painter.drawText(QPointF(x, baseline), text);
    x += textWidth + 0.5;
    if (!sup.isEmpty()) {
        painter.setFont(smallFont);
        painter.drawText(QPointF(x, raised), sup);
    }
}

}  // namespace

CGlyphList::CGlyphList(int stripId) : m_spec(FindGlyphStrip(stripId)) {}

QSize CGlyphList::CellSize() const
{
    return m_spec ? QSize(m_spec->cellWidth, m_spec->cellHeight) : QSize();
}

int CGlyphList::Count() const
{
    return m_spec ? static_cast<int>(m_spec->labels.size()) : 0;
}

void CGlyphList::Draw(QPainter& painter, int index, QPoint topLeft, bool enabled) const
{
    if (!m_spec || index < 0 || index >= Count())
        return;
    const GlyphLabel& label = m_spec->labels[static_cast<std::size_t>(index)];
    const QRectF cell(topLeft, QSizeF(m_spec->cellWidth, m_spec->cellHeight));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(cell);
    if (!enabled)
        painter.setOpacity(0.5);
    if (IsIcon(label.tone))
        DrawIcon(painter, *m_spec, label, cell);
    else
        DrawLabel(painter, *m_spec, label, cell);
    painter.restore();
}
