#include "worker/InProcessCalcWorker.h"

#include <list>

#include "platform/Event.h"
#include <thread>
#include <vector>

struct CInProcessWorkerHost::State {
    std::mutex lock;
    std::condition_variable processEnded;
    std::map<int, bool> running;  // process id -> still running
    std::map<int, std::weak_ptr<Process>> processes;
    int nextProcessId = 70001;
    int requestCount = 0;
    bool createFails = false;

    struct RequestThread {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::mutex threadsLock;
    std::list<RequestThread> threads;

    // Joins the threads that have finished (all of them when `all`).
    void Reap(bool all) {
        std::list<RequestThread> finished;
        {
            std::lock_guard guard(threadsLock);
            for (auto it = threads.begin(); it != threads.end();) {
                auto next = std::next(it);
                if (all || it->done->load())
                    finished.splice(finished.end(), threads, it);
                it = next;
            }
        }
        for (auto& t : finished)
            t.thread.join();
    }
};

class CInProcessWorkerHost::Process : public IWorkerProcess {
public:
    Process(std::shared_ptr<State> state, int id)
        : m_state(std::move(state)), m_id(id), m_gate(std::make_shared<CReportGate>()) {}

    int ProcessId() const override { return m_id; }

    bool StartRequestThread(std::function<void()> work) override {
        if (m_gate->IsClosed())
            return false;
        m_state->Reap(false);
        auto done = std::make_shared<std::atomic<bool>>(false);
        try {
            std::thread thread([work = std::move(work), done] {
                work();
                done->store(true);
            });
            std::lock_guard guard(m_state->threadsLock);
            m_state->threads.push_back({std::move(thread), done});
        } catch (const std::exception&) {
            return false;
        }
        std::lock_guard guard(m_state->lock);
        ++m_state->requestCount;
        return true;
    }

    bool EndProcess() override {
        End();
        return true;
    }

    std::shared_ptr<CReportGate> ReportGate() override { return m_gate; }

    void End() {
        m_gate->Close();
        {
            std::lock_guard guard(m_state->lock);
            m_state->running[m_id] = false;
        }
        m_state->processEnded.notify_all();
    }

    bool IsRunning() const { return !m_gate->IsClosed(); }

private:
    std::shared_ptr<State> m_state;
    int m_id;
    std::shared_ptr<CReportGate> m_gate;
};

CInProcessWorkerHost::CInProcessWorkerHost() : m_state(std::make_shared<State>()) {}

CInProcessWorkerHost::~CInProcessWorkerHost() {
    std::vector<std::shared_ptr<Process>> live;
    {
        std::lock_guard guard(m_state->lock);
        for (auto& [id, weak] : m_state->processes)
            if (auto process = weak.lock())
                live.push_back(std::move(process));
    }
    for (auto& process : live)
        process->End();
    m_state->Reap(true);
}

std::shared_ptr<CInProcessWorkerHost::Process> CInProcessWorkerHost::CurrentProcess() {
    std::lock_guard guard(m_state->lock);
    if (!m_current || !m_current->IsRunning()) {
        const int id = m_state->nextProcessId++;
        m_current = std::make_shared<Process>(m_state, id);
        m_state->running[id] = true;
        m_state->processes[id] = m_current;
    }
    return m_current;
}

bool CInProcessWorkerHost::IsRegistered(const std::string& progId) { return progId == kCalcWorkerProgId; }

HRESULT CInProcessWorkerHost::CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) {
    if (!worker)
        return E_POINTER;
    worker->reset();
    {
        std::lock_guard guard(m_state->lock);
        if (m_state->createFails)
            return E_FAIL;
    }
    if (!IsRegistered(progId))
        return E_FAIL;
    *worker = std::make_shared<CCalcWorker>(CurrentProcess());
    return S_OK;
}

bool CInProcessWorkerHost::WaitForProcessEnd(int processId, std::chrono::milliseconds timeout) {
    std::unique_lock guard(m_state->lock);
    const auto ended = [&] {
        const auto it = m_state->running.find(processId);
        return it == m_state->running.end() || !it->second;
    };
    return m_state->processEnded.wait_for(guard, timeout, ended);
}

bool CInProcessWorkerHost::AwaitReport(int wakeFd, std::chrono::milliseconds timeout) {
    return WaitUntilReadable(wakeFd, timeout);
}

void CInProcessWorkerHost::KillProcess(int processId) {
    std::shared_ptr<Process> process;
    {
        std::lock_guard guard(m_state->lock);
        const auto it = m_state->processes.find(processId);
        if (it != m_state->processes.end())
            process = it->second.lock();
    }
    if (process)
        process->End();
}

int CInProcessWorkerHost::CurrentProcessId() { return CurrentProcess()->ProcessId(); }

int CInProcessWorkerHost::RequestCount() const {
    std::lock_guard guard(m_state->lock);
    return m_state->requestCount;
}

void CInProcessWorkerHost::SetCreateFails(bool fails) {
    std::lock_guard guard(m_state->lock);
    m_state->createFails = fails;
}
