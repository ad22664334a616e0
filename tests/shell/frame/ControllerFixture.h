#pragma once
// A controller over the real engine and the in-process worker, with the
// Qt-free entry line and display models, scripted message boxes and a key
// language for tables: "12.5" types characters, other words are keys
// ("+", "=", "(", "sqrt", "SB" step back, "C" Clear All, ...).

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "keypad/DisplayModel.h"
#include "keypad/EntryLineModel.h"
#include "platform/Event.h"
#include "shell/frame/FrameController.h"
#include "shell/frame/ModelViews.h"
#include "worker/InProcessCalcWorker.h"

struct ShownBox {
    std::string text;
    std::string caption;
};

class CScriptedServices : public IUiServices {
public:
    void Beep() override { ++beeps; }
    UiMessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, UiMessageIcon,
                                    UiMessageButtons buttons) override;
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    std::string GetClipboardText() override { return clipboard; }
    void OpenUrl(const std::string& url) override { urls.push_back(url); }

    int beeps = 0;
    std::vector<ShownBox> boxes;
    std::function<void()> onBox;  // runs while a box is shown
    std::deque<UiMessageAnswer> answers;  // Yes/No questions take these in order (default No)
    std::string clipboard;
    std::vector<std::string> urls;
};

class CHistoryRecorder : public IHistorySink {
public:
    void AddToHistory(const std::string& text) override { items.push_back(text); }
    std::vector<std::string> items;
};

// A factory that gives each worker a report delay (a long calculation).
class CDelayingFactory : public ICalcWorkerFactory {
public:
    explicit CDelayingFactory(std::shared_ptr<ICalcWorkerFactory> host) : m_host(std::move(host)) {}
    bool IsRegistered(const std::string& progId) override { return m_host->IsRegistered(progId); }
    HRESULT CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) override;
    bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) override {
        return m_host->AwaitReport(wakeFd, timeout);
    }
    void SetDelay(int delayMs) { m_delay = delayMs; }

private:
    std::shared_ptr<ICalcWorkerFactory> m_host;
    std::atomic<int> m_delay{0};
};

// A factory for which no worker class is registered.
class CUnregisteredFactory : public ICalcWorkerFactory {
public:
    bool IsRegistered(const std::string&) override { return false; }
    HRESULT CreateWorker(const std::string&, std::shared_ptr<ICalcWorker>*) override { return E_FAIL; }
    bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) override {
        return WaitUntilReadable(wakeFd, timeout);
    }
};

class ControllerFixture : public ::testing::Test {
protected:
    ControllerFixture();
    ~ControllerFixture() override;

    // Creates the engine over the given factory (the in-process host when null).
    void MakeEngine(std::shared_ptr<ICalcWorkerFactory> factory = nullptr, int digits = 35,
                    std::shared_ptr<IProcessWaiter> waiter = nullptr);
    // Presses the keys of a space-separated sequence, each step settled.
    void Keys(const std::string& sequence);
    // One key, without waiting for its calculation.
    void Press(const std::string& key);
    // Waits for the running step's event and runs its handler; false on time-out.
    bool Settle(int timeoutMs = 20000);

    std::string Entry() const { return m_entryModel.GetText(); }
    std::string ErrorText() const { return m_entryModel.ErrorText(); }
    std::string Message() const { return m_displayModel.Message(); }
    std::string ErrorDetail() const { return m_displayModel.ErrorDetail(); }

    CEvent m_done;
    CEvent m_aborted;
    CEntryLineModel m_entryModel;
    CDisplayModel m_displayModel;
    CModelEntryLine m_entry{m_entryModel};
    CModelDisplayPanel m_display{m_displayModel};
    CScriptedServices m_services;
    CHistoryRecorder m_history;
    std::shared_ptr<CInProcessWorkerHost> m_host = std::make_shared<CInProcessWorkerHost>();
    std::unique_ptr<CFrameController> m_controller;
};

int KeyCommand(const std::string& key);
