#include "worker/server/BoundedWorkerProcess.h"

#include <optional>

namespace ergasto {

// What a worker object of one client sees: the process, with the client's requests.
class CBoundedWorkerProcess::CClientView : public IWorkerProcess {
public:
    CClientView(std::shared_ptr<CBoundedWorkerProcess> owner, ClientId client)
        : m_owner(std::move(owner)), m_client(std::move(client))
    {
    }
    int ProcessId() const override { return m_owner->m_process->ProcessId(); }
    bool StartRequestThread(std::function<void()> work) override
    {
        return m_owner->StartRequest(m_client, std::move(work));
    }
    bool EndProcess() override { return m_owner->m_process->EndProcess(); }
    std::shared_ptr<CReportGate> ReportGate() override { return m_owner->m_process->ReportGate(); }

private:
    std::shared_ptr<CBoundedWorkerProcess> m_owner;
    ClientId m_client;
};

CBoundedWorkerProcess::CBoundedWorkerProcess(std::shared_ptr<IWorkerProcess> process, CRequestSlots::Limits limits)
    : m_process(std::move(process)), m_slots(limits)
{
}

std::shared_ptr<IWorkerProcess> CBoundedWorkerProcess::ForClient(ClientId client)
{
    return std::make_shared<CClientView>(shared_from_this(), std::move(client));
}

bool CBoundedWorkerProcess::StartRequest(const ClientId& client, std::function<void()> work)
{
    CRequestSlots::Admitted admitted;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        admitted = m_slots.admit(client);
        if (admitted.admission == CRequestSlots::Admission::Wait)
            m_waitingWork.emplace(admitted.ticket, std::move(work));
    }
    if (admitted.admission != CRequestSlots::Admission::Run)
        return admitted.admission == CRequestSlots::Admission::Wait;
    auto self = shared_from_this();
    auto shared = std::make_shared<std::function<void()>>(std::move(work));
    const auto ticket = admitted.ticket;
    if (m_process->StartRequestThread([self, ticket, shared] { self->RunThenWaiting(ticket, std::move(*shared)); }))
        return true;
    std::lock_guard<std::mutex> guard(m_lock);
    m_slots.withdraw(ticket);
    return false;
}

// A running request, as its thread and its report's answer share it.
struct CBoundedWorkerProcess::CRunning {
    std::weak_ptr<CBoundedWorkerProcess> owner;
    CRequestSlots::Ticket ticket = 0;
    bool given = false;                    // the slot is back; guarded by the owner's m_lock
    std::optional<CRequestSlots::Ticket> next;   // what the thread runs next, given with the slot
    std::function<void()> nextWork;
};

thread_local std::shared_ptr<CBoundedWorkerProcess::CRunning> CBoundedWorkerProcess::t_running;

std::function<void()> CBoundedWorkerProcess::SlotGiverOfThisThread()
{
    if (!t_running)
        return {};
    return [running = t_running] {
        if (const auto owner = running->owner.lock()) {
            std::lock_guard<std::mutex> guard(owner->m_lock);
            owner->GiveBack(*running);
        }
    };
}

void CBoundedWorkerProcess::GiveBack(CRunning& running)
{
    if (running.given)
        return;
    running.given = true;
    running.next = m_slots.finish(running.ticket);
    if (running.next) {
        const auto it = m_waitingWork.find(*running.next);
        running.nextWork = std::move(it->second);
        m_waitingWork.erase(it);
    }
}

void CBoundedWorkerProcess::RunThenWaiting(CRequestSlots::Ticket ticket, std::function<void()> work)
{
    for (;;) {
        auto running = std::make_shared<CRunning>();
        running->owner = weak_from_this();
        running->ticket = ticket;
        t_running = running;
        work();
        t_running.reset();
        work = nullptr;  // the request's record (and its callback) go with it
        std::lock_guard<std::mutex> guard(m_lock);
        GiveBack(*running);
        if (!running->next)
            return;
        ticket = *running->next;
        work = std::move(running->nextWork);
    }
}

void CBoundedWorkerProcess::DropWaiting(const std::string& connection)
{
    std::vector<std::function<void()>> dropped;   // destroyed outside the lock
    std::lock_guard<std::mutex> guard(m_lock);
    for (const auto ticket : m_slots.dropWaiting(connection)) {
        const auto it = m_waitingWork.find(ticket);
        dropped.push_back(std::move(it->second));
        m_waitingWork.erase(it);
    }
}

std::size_t CBoundedWorkerProcess::Running() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_slots.running();
}

std::size_t CBoundedWorkerProcess::Waiting() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_slots.waiting();
}

}  // namespace ergasto
