#include "ControllerFixture.h"

#include <poll.h>

#include <map>
#include <sstream>
#include <stdexcept>

#include "resources/CommandIds.h"

UiMessageAnswer CScriptedServices::ShowMessageBox(const std::string& text, const std::string& caption,
                                                   UiMessageIcon, UiMessageButtons buttons)
{
    boxes.push_back({text, caption});
    if (onBox)
        onBox();
    if (buttons == UiMessageButtons::Ok)
        return UiMessageAnswer::Ok;
    if (answers.empty())
        return UiMessageAnswer::No;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

HRESULT CDelayingFactory::CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker)
{
    const HRESULT hr = m_host->CreateWorker(progId, worker);
    if (Succeeded(hr) && worker && *worker)
        (*worker)->SetCalcDuration(m_delay);
    return hr;
}

int KeyCommand(const std::string& key)
{
    static const std::map<std::string, unsigned> keys{
        {"+", cmd::kAdd},        {"-", cmd::kSubtract},   {"*", cmd::kMultiply},   {"/", cmd::kDivide},
        {"^", cmd::kPower},      {"idiv", cmd::kIntegerDivide}, {"mod", cmd::kModulo}, {"nCr", cmd::kNCr},
        {"nPr", cmd::kNPr},      {"=", cmd::kEquals},     {"(", cmd::kOpenParen},  {")", cmd::kCloseParen},
        {"neg", cmd::kNegate},   {"pi", cmd::kPi},        {"const_e", cmd::kE},    {"sci", cmd::kSci},
        {"C", cmd::kClearAll},   {"CE", cmd::kClearEntry}, {"BS", cmd::kBackspace}, {"SB", cmd::kStepBack},
        {"sqrt", cmd::kSqrt},    {"cbrt", cmd::kCbrt},    {"1/x", cmd::kReciprocal}, {"sin", cmd::kSin},
        {"cos", cmd::kCos},      {"tan", cmd::kTan},      {"x2", cmd::kSquare},    {"x3", cmd::kCube},
        {"n!", cmd::kFactorial}, {"log", cmd::kLog},      {"ln", cmd::kLn},        {"int", cmd::kInt},
        {"rnd", cmd::kRound},    {"home", cmd::kScrollHome}, {"end", cmd::kScrollEnd},
    };
    const auto it = keys.find(key);
    if (it == keys.end())
        throw std::invalid_argument("unknown key " + key);
    return static_cast<int>(it->second);
}

ControllerFixture::ControllerFixture()
    : m_entryModel([] { return 2; }, [this] { m_services.Beep(); })
{
    m_controller = std::make_unique<CFrameController>(
        CFrameController::Views{&m_entry, &m_display, &m_services, &m_history},
        std::array<CEvent*, 2>{&m_done, &m_aborted});
}

ControllerFixture::~ControllerFixture()
{
    if (m_controller)
        m_controller->Shutdown(std::chrono::seconds(15));
    m_controller.reset();
    // The report delay belongs to the (simulated) worker process: set it back.
    std::shared_ptr<ICalcWorker> worker;
    if (Succeeded(m_host->CreateWorker(kCalcWorkerProgId, &worker)) && worker)
        worker->SetCalcDuration(0);
}

void ControllerFixture::MakeEngine(std::shared_ptr<ICalcWorkerFactory> factory, int digits,
                                   std::shared_ptr<IProcessWaiter> waiter)
{
    CInnerCalc::Services services;
    services.workerFactory = factory ? factory : m_host;
    services.processWaiter = waiter ? waiter : m_host;
    m_controller->CreateEngine(std::move(services), digits);
}

void ControllerFixture::Press(const std::string& key)
{
    const bool typed = key.find_first_not_of("0123456789.") == std::string::npos;
    if (!typed) {
        m_controller->DispatchCalcCommand(KeyCommand(key));
        return;
    }
    for (char c : key) {
        const int id = c == '.' ? static_cast<int>(cmd::kPoint) : static_cast<int>(cmd::kDigit0) + (c - '0');
        m_controller->DispatchCalcCommand(id);
    }
}

bool ControllerFixture::Settle(int timeoutMs)
{
    while (m_controller->IsBusy()) {
        pollfd fds[2] = {{m_done.fd(), POLLIN, 0}, {m_aborted.fd(), POLLIN, 0}};
        if (::poll(fds, 2, timeoutMs) <= 0)
            return false;
        // Drain first, then handle, as the main loop does.
        if (m_done.tryReset())
            m_controller->OnResultEvent();
        if (m_aborted.tryReset())
            m_controller->OnAbortEvent();
    }
    return true;
}

void ControllerFixture::Keys(const std::string& sequence)
{
    std::istringstream words(sequence);
    std::string key;
    while (words >> key) {
        Press(key);
        ASSERT_TRUE(Settle()) << "no report after " << key;
    }
}
