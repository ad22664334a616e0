#include "DockingTestApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

QApplication& DockingTestApp()
{
    static int argc = 1;
    static char name[] = "docking_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        const QString config = QDir::temp().filePath(QStringLiteral("quillix-docking-screens-%1.json")
                                                         .arg(QCoreApplication::applicationPid()));
        QFile file(config);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(R"({"windowFrameMargins": false, "screens": [{"name": "main", "x": 0, "y": 0,
                "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
            file.close();
        }
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
        auto* a = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        QFile::remove(config);
        return a;
    }();
    return *app;
}

void Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}
