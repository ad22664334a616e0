#include "EngineTestSupport.h"

#include <algorithm>

namespace enginetest {

namespace {

class LoggingWorker : public ICalcWorker {
public:
    LoggingWorker(std::shared_ptr<ICalcWorker> inner, LoggingWorkerFactory& log) : m_inner(std::move(inner)), m_log(log) {}
    HRESULT PerformOperation(int ID, const std::string& lhs, const std::string& rhs, const std::string& opType,
                             int digits, std::shared_ptr<ICalcCompleteCallback> cb) override {
        m_log.Log(Short(lhs) + " " + opType + " " + Short(rhs));
        return m_inner->PerformOperation(ID, lhs, rhs, opType, digits, std::move(cb));
    }
    HRESULT ApplySinglArgFunc(int ID, const std::string& name, const std::string& arg, int digits,
                              std::shared_ptr<ICalcCompleteCallback> cb) override {
        m_log.Log(name + "(" + Short(arg) + ")");
        return m_inner->ApplySinglArgFunc(ID, name, arg, digits, std::move(cb));
    }
    HRESULT GetProcessId_CW(int* pid) override { return m_inner->GetProcessId_CW(pid); }
    HRESULT EndProcess_CW() override { return m_inner->EndProcess_CW(); }
    HRESULT SetCalcDuration(int ms) override { return m_inner->SetCalcDuration(ms); }

private:
    // Operand text in short form: "3" for "3.000...E+0".
    static std::string Short(const std::string& text) {
        const auto value = Number::parse(text);
        if (!value)
            return text;
        return value->is_integer() && value->exponent() < 30 ? value->to_integer_text() : value->to_scientific(-1);
    }
    std::shared_ptr<ICalcWorker> m_inner;
    LoggingWorkerFactory& m_log;
};

std::string NumberText(const std::shared_ptr<EvalData>& data) {
    if (!data || !data->m_spNumber)
        return "?";
    const Number& n = *data->m_spNumber;
    if (n.is_integer() && n.exponent() < 30)
        return n.to_integer_text();
    return n.exponent() > -30 && n.exponent() < 30 ? n.to_fixed(-1) : n.to_scientific(-1);
}

}  // namespace

HRESULT LoggingWorkerFactory::CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) {
    const HRESULT hr = m_inner->CreateWorker(progId, worker);
    if (Succeeded(hr) && *worker)
        *worker = std::make_shared<LoggingWorker>(*worker, *this);
    return hr;
}

int OperatorFromWord(const std::string& word) {
    for (int op = OpAdd; op <= OpNPr; ++op)
        if (OperatorWord(op) == word)
            return op;
    return -1;
}

std::string DescribeLevel(const EvalStackHolder& level) {
    std::string text;
    const auto values = level.m_evalStack.size();
    const auto ops = level.m_opStack.size();
    for (std::size_t i = 0; i < values; ++i) {
        if (!text.empty())
            text += " ";
        text += NumberText(level.m_evalStack[i]);
        // operator i from the bottom sits at position ops - 1 - i from the front
        if (i < ops)
            text += " " + std::string(OperatorWord(level.m_opStack[ops - 1 - i]));
    }
    return text;
}

EngineRig::EngineRig(int displayDigits, std::shared_ptr<ICalcWorkerFactory> factory,
                     std::shared_ptr<IProcessWaiter> waiter, CInnerCalc::ThreadLauncher launcher) {
    host = std::make_shared<CInProcessWorkerHost>();
    logging = std::make_shared<LoggingWorkerFactory>(factory ? factory : host);
    CInnerCalc::Services services;
    services.workerFactory = logging;
    services.processWaiter = waiter ? waiter : host;
    services.messageBoxes = &messages;
    services.launchThread = std::move(launcher);
    info.m_calcEvents = {&doneEvent, &abortedEvent};
    calc = std::make_unique<CInnerCalc>(&record, services);
    calc->SetResultInfo(&info);
    calc->SetPrecision(displayDigits);
}

EngineRig::~EngineRig() { calc.reset(); }

Entered EngineRig::WaitStep(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (doneEvent.wait(std::chrono::milliseconds(5)))
            return Entered::Done;
        if (abortedEvent.tryReset())
            return Entered::Aborted;
    }
    return Entered::TimedOut;
}

Entered EngineRig::Enter(const std::string& token) {
    if (token == "(") {
        const int depth = calc->GetParenDepth();
        const bool empty = calc->GetMasterStack().empty();
        calc->OpenParen();
        return (empty ? !calc->GetMasterStack().empty() : calc->GetParenDepth() == depth + 1) ? Entered::Immediate
                                                                                                : Entered::Refused;
    }
    if (token == ")") {
        calc->CloseParen();
        return WaitStep();
    }
    if (token == "=") {
        calc->Equals();
        return WaitStep();
    }
    if (token == "neg") {
        Number result;
        return calc->Negate("negate", &result) ? Entered::Immediate : Entered::Refused;
    }
    if (const int op = OperatorFromWord(token); op >= 0) {
        bool accepted = false;
        const bool started = calc->EnterOperator(op, &accepted);
        if (!accepted)
            return Entered::Refused;
        return started ? WaitStep() : Entered::Immediate;
    }
    if (const auto number = Number::parse(token))
        return calc->EnterNumber(*number) ? Entered::Immediate : Entered::Refused;
    calc->ApplyFunction(token);
    return WaitStep();
}

Entered EngineRig::EnterAll(const std::string& tokens) {
    std::istringstream in(tokens);
    std::string token;
    Entered last = Entered::Immediate;
    while (in >> token) {
        last = Enter(token);
        if (last == Entered::Refused || last == Entered::Aborted || last == Entered::TimedOut)
            return last;
        if (last == Entered::Done && info.m_status != static_cast<int>(CalcStatus::Success))
            return last;
    }
    return last;
}

std::string EngineRig::Stacks() const {
    std::string text;
    bool first = true;
    for (const auto& level : calc->GetMasterStack()) {
        if (!first)
            text += " | ";
        first = false;
        text += DescribeLevel(*level);
    }
    return text;
}

std::string EngineRig::ResultText() const {
    std::string text;
    calc->FormatNumber(calc->GetResult(), text, false, nullptr);
    return text;
}

std::vector<std::string> EngineRig::RecordLines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < record.GetEntryCount(); ++i) {
        const auto entry = record.GetEntry(i);
        lines.push_back(entry->m_entryString + "|" + entry->m_resultString + "|" + std::to_string(entry->m_parenDepth));
    }
    return lines;
}

}  // namespace enginetest
