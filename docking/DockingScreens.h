#pragma once
// The screens that floating docking windows are placed on: the available
// area of every screen (what panels leave), as the core's placement rule
// takes them. Tests replace them to add, resize or remove screens while the
// program runs. Every change, theirs or the system's, is announced, and each
// docking frame then brings its floating windows back within reach.
// User-interface thread only.

#include <functional>
#include <vector>

#include <QObject>
#include <QRect>

class QScreen;

#include "docking/core/Rect.h"

namespace dockwins {

// Every screen's available area.
std::vector<RECT> ScreenAreas();
// Replaces where the screen areas come from (an empty function gives back the
// system's) and announces the change.
void SetScreenAreasSource(std::function<std::vector<QRect>()> source);

class CScreenWatch final : public QObject {
    Q_OBJECT
public:
    // The one watch of the application (made on first use, owned by it).
    static CScreenWatch& Instance();

signals:
    // A screen was added, removed or resized, or the source was replaced.
    void changed();

private:
    explicit CScreenWatch(QObject* parent);
    void Watch(QScreen* screen);
};

}  // namespace dockwins
