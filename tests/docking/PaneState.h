#pragma once
// The window state of a frame's panes in a file of its own, with the values
// stored there, for tests that store and restore it.

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include <QSettings>
#include <QTemporaryDir>

#include "DockingTestApp.h"
#include "docking/DockingFrame.h"
#include "docking/DockingWindow.h"
#include "docking/state/DockWndState.h"
#include "docking/state/WindowState.h"

struct PaneState {
    PaneState(dockwins::CDockingFrameImpl& frame, std::initializer_list<CTabbedAutoHideDockingWindow*> windows)
        : state(&frame, dir.filePath("state.ini"))
    {
        auto panes = std::make_shared<sstate::CDockWndMgrEx>(&frame);
        for (CTabbedAutoHideDockingWindow* w : windows)
            panes->Add(std::make_shared<sstate::CDockingWindowStateAdapter>(w));
        state.Add(panes);
    }
    std::map<std::string, std::string> Stored() const
    {
        QSettings ini(dir.filePath("state.ini"), QSettings::IniFormat);
        std::map<std::string, std::string> values;
        for (const QString& key : ini.allKeys())
            values[key.toStdString()] = ini.value(key).toByteArray().toHex().toStdString();
        return values;
    }
    // Stores, restores and stores again: true when no stored value changed.
    bool StoreRestoreStore()
    {
        EXPECT_TRUE(state.StoreWindowState());
        const auto before = Stored();
        state.RestoreWindowState();
        Settle();
        EXPECT_TRUE(state.StoreWindowState());
        EXPECT_EQ(Stored(), before);
        return Stored() == before;
    }
    QTemporaryDir dir;
    sstate::CWindowStateMgr state;
};
