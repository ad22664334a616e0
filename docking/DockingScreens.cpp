#include "docking/DockingScreens.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include "docking/DockEvents.h"

namespace dockwins {

namespace {

std::function<std::vector<QRect>()>& Source()
{
    static std::function<std::vector<QRect>()> source;
    return source;
}

}  // namespace

std::vector<RECT> ScreenAreas()
{
    std::vector<RECT> areas;
    if (Source()) {
        for (const QRect& r : Source()())
            areas.push_back(ToRect(r));
        return areas;
    }
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(ToRect(screen->availableGeometry()));
    return areas;
}

void SetScreenAreasSource(std::function<std::vector<QRect>()> source)
{
    Source() = std::move(source);
    emit CScreenWatch::Instance().changed();
}

CScreenWatch& CScreenWatch::Instance()
{
    static QPointer<CScreenWatch> watch;
    if (!watch)
        watch = new CScreenWatch(QCoreApplication::instance());
    return *watch;
}

CScreenWatch::CScreenWatch(QObject* parent) : QObject(parent)
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return;
    for (QScreen* screen : QGuiApplication::screens())
        Watch(screen);
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        Watch(screen);
        emit changed();
    });
    connect(app, &QGuiApplication::screenRemoved, this, &CScreenWatch::changed);
}

void CScreenWatch::Watch(QScreen* screen)
{
    connect(screen, &QScreen::availableGeometryChanged, this, &CScreenWatch::changed);
}

}  // namespace dockwins
