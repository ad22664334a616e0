#include "worker/server/ServerBus.h"

#include "ipc/BusOpen.h"

#include <systemd/sd-bus.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <thread>

namespace ergasto {

namespace {

using Clock = std::chrono::steady_clock;

// The monotonic clock's time, as sd-bus counts it (microseconds), for a time point.
Clock::time_point fromMonotonicMicroseconds(std::uint64_t usec)
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::int64_t nowUsec = static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    return Clock::now() + std::chrono::microseconds(static_cast<std::int64_t>(usec) - nowUsec);
}

}  // namespace

// The library's entries: each passes on to the handler of its slot.
struct ServerBusDispatch {
    static int onObjectCall(sd_bus_message* message, void* self, sd_bus_error*)
    {
        if (sd_bus_message_is_method_call(message, nullptr, nullptr) <= 0)
            return 0;
        static_cast<CServerBus*>(self)->m_objects(message);
        return 1;
    }
    static int onMatch(sd_bus_message* message, void* match, sd_bus_error*)
    {
        // A copy: the handler may end its own match.
        const CServerBus::Handler handler = static_cast<CServerBus::CMatch*>(match)->m_handler;
        handler(message);
        return 1;
    }
    static int onAnswer(sd_bus_message* message, void* handler, sd_bus_error*)
    {
        (*static_cast<CServerBus::Handler*>(handler))(message);
        return 1;
    }
    static void destroyAnswered(void* handler) { delete static_cast<CServerBus::Handler*>(handler); }
};

CLoopTimer::CLoopTimer(CServerBus& bus, std::function<void()> fire) : m_bus(bus), m_fire(std::move(fire)) {}

CLoopTimer::~CLoopTimer()
{
    stop();
}

void CLoopTimer::start(std::chrono::milliseconds interval)
{
    std::lock_guard lock(m_bus.m_lock);
    m_due = Clock::now() + interval;
    m_active = true;
    m_bus.m_timers.insert(this);
}

void CLoopTimer::stop()
{
    std::lock_guard lock(m_bus.m_lock);
    m_active = false;
    m_bus.m_timers.erase(this);
}

CServerBus::CMatch::~CMatch()
{
    std::lock_guard lock(m_bus.m_lock);
    sd_bus_slot_unref(m_slot);
}

CServerBus::CServerBus(const std::string& address)
{
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    sd_bus* bus = m_wakeFd >= 0 ? ipc::OpenBusConnection(address, "Ergasto") : nullptr;
    const char* unique = nullptr;
    if (!bus || sd_bus_get_unique_name(bus, &unique) < 0) {
        sd_bus_flush_close_unref(bus);
        return;
    }
    m_bus = bus;
    m_uniqueName = unique;
}

CServerBus::~CServerBus()
{
    {
        std::lock_guard lock(m_lock);
        sd_bus_slot_unref(m_objectSlot);
        sd_bus_flush_close_unref(m_bus);
        m_bus = nullptr;
    }
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

bool CServerBus::isConnected() const
{
    std::lock_guard lock(m_lock);
    return m_bus && sd_bus_is_open(m_bus) > 0;
}

bool CServerBus::ServeObjects(Handler handler)
{
    std::lock_guard lock(m_lock);
    if (!m_bus || m_objectSlot)
        return false;
    m_objects = std::move(handler);
    return sd_bus_add_fallback(m_bus, &m_objectSlot, "/", &ServerBusDispatch::onObjectCall, this) >= 0;
}

bool CServerBus::RequestName(const std::string& name)
{
    std::lock_guard lock(m_lock);
    return m_bus && sd_bus_request_name(m_bus, name.c_str(), 0) > 0;
}

void CServerBus::Wake()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
}

void CServerBus::Quit(int code)
{
    {
        std::lock_guard lock(m_lock);
        if (!m_quit)
            m_exitCode = code;
        m_quit = true;
    }
    Wake();
}

void CServerBus::WroteSomething()
{
    if (m_polling && m_bus && (sd_bus_get_events(m_bus) & POLLOUT))
        Wake();
}

Clock::time_point CServerBus::FireDueTimers()
{
    for (;;) {
        const auto first = std::min_element(m_timers.begin(), m_timers.end(),
                                            [](const CLoopTimer* a, const CLoopTimer* b) { return a->m_due < b->m_due; });
        if (first == m_timers.end())
            return Clock::time_point::max();
        CLoopTimer* timer = *first;
        if (timer->m_due > Clock::now())
            return timer->m_due;
        timer->stop();
        timer->m_fire();
    }
}

bool CServerBus::IsDispatchingHere() const
{
    std::lock_guard lock(m_lock);
    return m_dispatching && m_loopThread == std::this_thread::get_id();
}

bool CServerBus::RunHereOnceDispatched(std::function<void()> work, const ThreadStarter& startThread)
{
    std::lock_guard lock(m_lock);
    if (!m_dispatching || m_loopThread != std::this_thread::get_id() || m_workHere)
        return false;
    // The other thread waits for the lock, which this one keeps to the end of the dispatch.
    if (!startThread([this] { Serve(); }))
        return false;
    m_workHere = std::move(work);
    return true;
}

int CServerBus::Run()
{
    Serve();
    return WaitForEnd();
}

int CServerBus::WaitForEnd()
{
    std::unique_lock lock(m_lock);
    m_loopEnded.wait(lock, [this] { return m_ended; });
    return m_exitCode;
}

void CServerBus::Serve()
{
    std::unique_lock lock(m_lock);
    if (!m_bus) {
        m_exitCode = -1;
        m_ended = true;
        m_loopEnded.notify_all();
        return;
    }
    m_loopThread = std::this_thread::get_id();
    while (!m_quit) {
        m_dispatching = true;
        int r = 0;
        do
            r = sd_bus_process(m_bus, nullptr);
        while (r > 0 && !m_quit && !m_workHere);
        m_dispatching = false;
        if (m_workHere) {
            // The loop goes on, on the thread started for it; this one has work of its own.
            const std::function<void()> work = std::move(m_workHere);
            m_workHere = nullptr;
            m_loopThread = {};
            lock.unlock();
            work();
            return;
        }
        if (sd_bus_is_open(m_bus) <= 0) {
            if (m_disconnected)
                m_disconnected();
            if (!m_quit)
                Quit(0);
        }
        const Clock::time_point timerDue = FireDueTimers();
        if (m_quit)
            break;

        pollfd fds[2] = {{m_wakeFd, POLLIN, 0}, {sd_bus_get_fd(m_bus), 0, 0}};
        const int events = sd_bus_get_events(m_bus);
        fds[1].events = static_cast<short>(events > 0 ? events : POLLIN);
        Clock::time_point due = timerDue;
        std::uint64_t usec = UINT64_MAX;
        if (sd_bus_get_timeout(m_bus, &usec) >= 0 && usec != UINT64_MAX)
            due = std::min(due, fromMonotonicMicroseconds(usec));
        timespec wait{};
        timespec* timeout = nullptr;
        if (due != Clock::time_point::max()) {
            const auto left =
                std::max<std::int64_t>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(due - Clock::now()).count());
            wait.tv_sec = static_cast<time_t>(left / 1000000000);
            wait.tv_nsec = static_cast<long>(left % 1000000000);
            timeout = &wait;
        }
        m_polling = true;
        lock.unlock();
        ::ppoll(fds, 2, timeout, nullptr);
        lock.lock();
        m_polling = false;
        if (fds[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t read = ::read(m_wakeFd, &count, sizeof count);
        }
    }
    m_loopThread = {};
    m_ended = true;
    m_loopEnded.notify_all();
}

bool CServerBus::CallAsync(const std::string& destination, const std::string& path, const char* interfaceName,
                           const char* member, const Arguments& append, Handler answered,
                           std::chrono::microseconds timeout)
{
    std::lock_guard lock(m_lock);
    if (!m_bus)
        return false;
    sd_bus_message* message = nullptr;
    sd_bus_slot* slot = nullptr;
    auto* handler = new Handler(std::move(answered));
    int r = sd_bus_message_new_method_call(m_bus, &message, destination.c_str(), path.c_str(), interfaceName, member);
    if (r >= 0)
        r = sd_bus_message_set_auto_start(message, 0);
    if (r >= 0 && append)
        r = append(message);
    if (r >= 0)
        r = sd_bus_call_async(m_bus, &slot, message, &ServerBusDispatch::onAnswer, handler,
                              static_cast<std::uint64_t>(std::max<std::int64_t>(0, timeout.count())));
    sd_bus_message_unref(message);
    if (r < 0) {
        delete handler;
        return false;
    }
    // The bus owns the slot from here; the handler goes with it.
    sd_bus_slot_set_destroy_callback(slot, &ServerBusDispatch::destroyAnswered);
    sd_bus_slot_set_floating(slot, 1);
    sd_bus_slot_unref(slot);
    WroteSomething();
    return true;
}

std::unique_ptr<CServerBus::CMatch> CServerBus::AddMatch(const std::string& rule, Handler matched)
{
    std::unique_ptr<CMatch> slot(new CMatch(*this, std::move(matched)));
    std::lock_guard lock(m_lock);
    if (!m_bus ||
        sd_bus_add_match_async(m_bus, &slot->m_slot, rule.c_str(), &ServerBusDispatch::onMatch, nullptr, slot.get()) < 0)
        return nullptr;
    WroteSomething();
    return slot;
}

}  // namespace ergasto
