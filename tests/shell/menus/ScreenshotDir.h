#pragma once
// Where the widget tests write their screenshots (for a person to look at).

#include <QDir>
#include <QString>
#include <QWidget>

inline bool SaveScreenshot(QWidget& widget, const QString& name)
{
    QDir().mkpath(QStringLiteral(QUILLIX_MENUS_SCREENSHOT_DIR));
    return widget.grab().save(QStringLiteral(QUILLIX_MENUS_SCREENSHOT_DIR "/") + name);
}
