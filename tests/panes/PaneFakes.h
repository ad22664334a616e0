#pragma once
// Fakes of the panes' owners and services: they record every call and answer
// as the test says, so no modal loop ever runs.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QMimeData>
#include <QPoint>

#include "panes/ICalcRecordWindowParent.h"
#include "panes/IHistoryParent.h"
#include "panes/IVariablesParent.h"
#include "panes/PaneImageList.h"
#include "panes/PaneServices.h"

struct FakeMessageBox : IMessageBoxService {
    struct Call {
        std::string text;
        std::string caption;
        MessageBoxButtons buttons;
        MessageBoxIcon icon;
    };
    std::vector<Call> calls;
    MessageBoxAnswer answer = MessageBoxAnswer::Yes;

    MessageBoxAnswer Show(QWidget*, const std::string& text, const std::string& caption,
                          MessageBoxButtons buttons, MessageBoxIcon icon) override
    {
        calls.push_back({text, caption, buttons, icon});
        return buttons == MessageBoxButtons::Ok ? MessageBoxAnswer::Ok : answer;
    }
};

struct FakeClipboard : IClipboardService {
    std::string text = "left alone";
    int sets = 0;
    void SetText(const std::string& value) override
    {
        text = value;
        ++sets;
    }
};

struct FakeDialogRunner : IDialogRunner {
    std::function<int(QDialog&)> onRun;   // default: cancel
    int runs = 0;
    int Run(QDialog& dialog) override
    {
        ++runs;
        return onRun ? onRun(dialog) : int(QDialog::Rejected);
    }
};

struct FakeMenuRunner : IPopupMenuRunner {
    CMenuItems items;
    int runs = 0;
    int choice = 0;
    int Run(QWidget*, const CMenuItems& shown, QPoint) override
    {
        items = shown;
        ++runs;
        return choice;
    }
};

struct FakeDragRunner : IItemDragRunner {
    QPoint release;
    int runs = 0;
    QByteArray data;
    QPoint hotSpot;
    QPoint Run(QWidget*, std::unique_ptr<QMimeData> mime, const QPixmap&, QPoint hot) override
    {
        ++runs;
        data = mime->data(kPaneItemMimeType);
        hotSpot = hot;
        return release;
    }
};

struct FakeServices {
    FakeMessageBox messageBox;
    FakeClipboard clipboard;
    FakeDialogRunner dialogs;
    FakeMenuRunner menus;
    FakeDragRunner drags;
    CPaneServices Services() { return {&messageBox, &clipboard, &dialogs, &menus, &drags}; }
};

struct ItemDrag {
    const CPaneImageList* images;
    int imageIndex;
    int x;
    int y;
    std::string text;
};

// What the history and variables owners have in common.
template <class Interface>
struct FakePaneOwner : Interface {
    std::vector<std::string> newEntries;
    std::vector<ItemDrag> drags;
    std::vector<QPoint> dropQueries;
    bool overDropTarget = false;
    bool canAcceptEntry = true;

    void AddAsNewEntry(const std::string& text) override { newEntries.push_back(text); }
    void BeginItemDrag(const CPaneImageList& images, int imageIndex, int x, int y,
                       const std::string& text) override
    {
        drags.push_back({&images, imageIndex, x, y, text});
    }
    bool IsOverDropTarget(int x, int y) override
    {
        dropQueries.emplace_back(x, y);
        return overDropTarget;
    }
    bool CanAcceptEntry() override { return canAcceptEntry; }
};

struct FakeHistoryParent : FakePaneOwner<IHistoryParent> {
    std::vector<std::string> variables;
    void AddAsVariable(const std::string& text) override { variables.push_back(text); }
};

struct FakeVariablesParent : FakePaneOwner<IVariablesParent> {
    int maxDigits = 35;
    int GetMaxDigits() override { return maxDigits; }
};

struct FakeRecordParent : ICalcRecordWindowParent {
    std::vector<std::string> newEntries;
    std::vector<std::string> variables;
    std::vector<int> stepBacks;
    bool canAcceptEntry = true;
    bool calculating = false;
    bool cancelPending = false;

    void AddAsNewEntry(const std::string& text) override { newEntries.push_back(text); }
    void AddAsVariable(const std::string& text) override { variables.push_back(text); }
    void StepBackTo(int count) override { stepBacks.push_back(count); }
    bool CanAcceptEntry() override { return canAcceptEntry; }
    bool IsCalculating() override { return calculating; }
    bool IsCancelPending() override { return cancelPending; }
};
