#include "platform/qt/FixedFont.h"

#include <QFontDatabase>
#include <QFontInfo>

QFont FixedPitchFont()
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(system).fixedPitch())
        return system;
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "FreeMono"}) {
        QFont candidate(QString::fromLatin1(family));
        candidate.setPointSizeF(system.pointSizeF() > 0 ? system.pointSizeF() : 10.0);
        const QFontInfo info(candidate);
        if (info.fixedPitch() && info.family() == candidate.family())
            return candidate;
    }
    return system;
}
