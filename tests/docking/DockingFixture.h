#pragma once
// A docking frame of 1000 x 600 (client area and packages (0, 0, 1000, 600))
// with a splitter as its client window (minimum 600 x 450) and docking
// windows of labels (minimum 100 x 100), and synthetic pointer input
// delivered to its window.

#include <QLabel>
#include <QTest>
#include <QWindow>

#include <string>
#include <vector>

#include "DockingTestApp.h"
#include "docking/DockEvents.h"
#include "docking/DockingFrame.h"
#include "docking/DockingSystemSettings.h"
#include "docking/DockingWindow.h"
#include "docking/LayoutChecker.h"
#include "docking/PackageWindow.h"
#include "docking/SplitterWindow.h"

struct AppFirst {
    AppFirst() { DockingTestApp(); }
};

struct DockingFixture : AppFirst {
    explicit DockingFixture(QSize size = {1000, 600})
    {
        frame.setGeometry(QRect(QPoint(0, 0), size));
        frame.OnCreate(0);
        dockwins::DockingSettings().SetFlags(dockwins::CDockingSettings::kKeepDragMode |
                                             dockwins::CDockingSettings::kFullDrag);
        client = new TG3_SplitterWindowT<false>;
        frame.SetClientWindow(client);
        history = MakeWindow("History");
        variables = MakeWindow("Variables  ");
    }

    CTabbedAutoHideDockingWindow* MakeWindow(const char* title)
    {
        auto* w = new CTabbedAutoHideDockingWindow(&frame, QString::fromLatin1(title));
        w->SetClient(new QLabel(QString::fromLatin1(title)));
        return w;
    }

    void Show()
    {
        frame.show();
        (void)QTest::qWaitForWindowExposed(&frame);
        Settle();
    }

    void SetGhost(bool ghost)
    {
        dockwins::DockingSettings().SetFlags(dockwins::CDockingSettings::kKeepDragMode |
                                             (ghost ? dockwins::CDockingSettings::kGhostDrag
                                                    : dockwins::CDockingSettings::kFullDrag));
    }

    // A widget's rectangle in frame client coordinates.
    QRect InClient(const QWidget* w) const
    {
        return QRect(w->mapTo(frame.ClientArea(), QPoint(0, 0)), w->size());
    }

    dockwins::DockPosition Position(CTabbedAutoHideDockingWindow* w)
    {
        dockwins::DockRequest r;
        r.window = w;
        r.target = w->DockedTo();
        w->GetDockingPosition(r);
        return r.position;
    }

    // Pointer input in frame client coordinates.
    QPoint ToWindow(QPoint p) const { return frame.ClientArea()->mapTo(&frame, p); }
    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(frame.windowHandle(), b, {}, ToWindow(p));
    }
    void Move(QPoint p) { QTest::mouseMove(frame.windowHandle(), ToWindow(p)); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(frame.windowHandle(), b, {}, ToWindow(p));
    }

    std::vector<std::string> Problems() const { return dockwins::CheckDockingLayout(frame); }

    dockwins::CDockingFrameImpl frame;
    TG3_SplitterWindowT<false>* client = nullptr;
    CTabbedAutoHideDockingWindow* history = nullptr;
    CTabbedAutoHideDockingWindow* variables = nullptr;
};

inline std::string Join(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}
