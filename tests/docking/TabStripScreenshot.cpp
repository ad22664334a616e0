// A picture of the tab strip for a person to look at, not a test:
//   docking_tab_screenshot <folder>
// writes tabs.png (three tabs along the bottom of a box, the middle one
// selected) and tabs-buttons.png (the same with scroll and close buttons and
// hot tracking, scrolled one step).

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include "DockingTestApp.h"
#include "docking/FlyingTabCtrl.h"

namespace {

QIcon Swatch(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(colour);
    painter.setPen(colour.darker());
    painter.drawRect(2, 2, 11, 11);
    return QIcon(pixmap);
}

bool Shoot(unsigned style, int width, const QString& path)
{
    QWidget host;
    host.resize(width, 60);
    host.setAutoFillBackground(true);
    dockwins::CFlyingTabCtrl tabs(&host, nullptr, style);
    tabs.InsertItem(-1, "History", Swatch(Qt::darkCyan), nullptr, false);
    tabs.InsertItem(-1, "Variables", Swatch(Qt::darkYellow), nullptr, false);
    tabs.InsertItem(-1, "Calculation record", QIcon(), nullptr, false);
    tabs.SetCurSel(1, false);
    tabs.setGeometry(0, 60 - tabs.TabHeight(), width, tabs.TabHeight());
    host.show();
    if (style & dockwins::CFlyingTabCtrl::kScrollButtons)
        QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {},
                          tabs.mapTo(&host, tabs.ScrollRightButtonRect().center()));
    QTest::qWait(100);
    return host.grab().save(path, "PNG");
}

}  // namespace

int main(int argc, char** argv)
{
    DockingTestApp();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    using Tabs = dockwins::CFlyingTabCtrl;
    bool ok = Shoot(Tabs::kBottom | Tabs::kToolTips, 320, folder.filePath("tabs.png"));
    ok = Shoot(Tabs::kBottom | Tabs::kToolTips | Tabs::kScrollButtons | Tabs::kCloseButton | Tabs::kBoldSelected, 220,
               folder.filePath("tabs-buttons.png")) && ok;
    return ok ? 0 : 1;
}
