#include "keypad/WrappedText.h"

#include <QFontMetrics>
#include <QTextLayout>

QStringList WrapText(const QString& text, const QFont& font, int width, int height)
{
    const QFontMetrics metrics(font);
    const int maxLines = std::max(1, height / std::max(1, metrics.lineSpacing()));
    QStringList lines;
    for (QString paragraph : text.split(QLatin1Char('\n'))) {
        paragraph.replace(QLatin1Char('\t'), QStringLiteral("        "));
        if (paragraph.isEmpty()) {
            lines.append(QString());
            continue;
        }
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max(1, width));
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
    }
    if (lines.size() <= maxLines) {
        for (QString& line : lines)
            line = metrics.elidedText(line, Qt::ElideRight, width);
        return lines;
    }
    // More text follows the last line that fits: its cut shows an ellipsis.
    QStringList shown = lines.mid(0, maxLines);
    for (int i = 0; i + 1 < maxLines; ++i)
        shown[i] = metrics.elidedText(shown[i], Qt::ElideRight, width);
    const QChar ellipsis(0x2026);
    QString last = metrics.elidedText(shown.back() + QLatin1Char(' ') + lines[maxLines], Qt::ElideRight, width);
    if (!last.endsWith(ellipsis))
        last = metrics.elidedText(shown.back() + ellipsis, Qt::ElideRight, width);
    shown.back() = last;
    return shown;
}
