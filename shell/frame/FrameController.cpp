#include "shell/frame/FrameController.h"

#include <poll.h>

#include <utility>

#include "platform/Event.h"

namespace {

// Waits until one of the two events is set; the index of the first set one
// (0 done, 1 aborted), or -1 on time-out. The event is reset.
int WaitForEither(const std::array<CEvent*, 2>& events, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (int i = 0; i < 2; ++i)
            if (events[i] && events[i]->tryReset())
                return i;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return -1;
        pollfd fds[2];
        int n = 0;
        for (auto* event : events)
            if (event)
                fds[n++] = pollfd{event->fd(), POLLIN, 0};
        if (n == 0)
            return -1;
        ::poll(fds, n, static_cast<int>(left.count()));
    }
}

}  // namespace

CFrameController::CFrameController(Views views, std::array<CEvent*, 2> events)
    : m_views(views), m_events(events)
{
    m_resultInfo.m_bValueReady = true;
    m_resultInfo.m_calcEvents = events;
}

CFrameController::~CFrameController()
{
    if (m_engine)
        Shutdown(std::chrono::seconds(15));
}

void CFrameController::CreateEngine(CInnerCalc::Services services, int sigDigits)
{
    m_engine.reset();
    services.messageBoxes = this;
    m_engine = std::make_unique<CInnerCalc>(&m_calcRecord, std::move(services));
    m_engine->SetPrecision(sigDigits);
    m_engine->SetCalcRecord(&m_calcRecord);
    m_engine->SetResultInfo(&m_resultInfo);
    m_views.entry->SetMaxDigits(m_engine->GetDisplayDigits());
}

bool CFrameController::Shutdown(std::chrono::milliseconds wait)
{
    if (!m_engine)
        return true;
    if (IsCalculating())
        OnClearAll();  // cancels
    if (IsCancelPending() || m_engine->IsBusy()) {
        // The thread always ends by signalling one event; take it here, on
        // this thread, since the loop that would run the handlers is ending.
        const int which = WaitForEither(m_events, wait);
        if (which < 0) {
            // The thread may still touch the engine and the events: leave them.
            (void)m_engine.release();
            return false;
        }
        if (which == kCalcDoneEvent)
            OnResultEvent();
        else
            OnAbortEvent();
    }
    m_engine.reset();  // joins the thread, which has signalled and is ending
    return true;
}

void CFrameController::ShowMessageBox(const std::string& text, const std::string& caption)
{
    m_views.services->ShowMessageBox(text, caption, UiMessageIcon::Stop, UiMessageButtons::Ok);
}

std::string CFrameController::Format(const Number& value, bool* rounded) const
{
    std::string text;
    if (m_engine)
        m_engine->FormatNumber(value, text, false, rounded);
    else
        text = value.to_scientific();
    return text;
}

void CFrameController::SetPrecision(int digits)
{
    ClearAll();
    if (m_engine) {
        m_engine->SetPrecision(digits);
        m_views.entry->SetMaxDigits(m_engine->GetDisplayDigits());
    }
}

// ------------------------------------------------------------------ helpers

void CFrameController::Refuse(const std::string& message)
{
    m_views.services->Beep();
    m_views.display->SetMessage(message);
}

void CFrameController::RefuseWithString(unsigned id)
{
    m_views.services->Beep();
    m_views.display->ShowMessageString(id);
}

bool CFrameController::TakeEntry(bool asConstant)
{
    const std::string text = m_views.entry->GetText();
    Number value;
    CInnerCalc::ParseNumberText(text, value);  // the entry line holds only number text
    if (!m_engine->EnterNumber(value))
        return false;
    m_stepBackHistory.push_back({asConstant ? StepBackHistoryEntry::Constant : StepBackHistoryEntry::Number, text});
    return true;
}

void CFrameController::PushOperationEntry(const std::string& text)
{
    m_stepBackHistory.push_back({StepBackHistoryEntry::Operation, text});
}

void CFrameController::BeginStep(const PendingStep& step)
{
    m_pendingStep = step;
    m_bIsCalculating.Set(true);
    m_views.display->ShowBusy();
}
