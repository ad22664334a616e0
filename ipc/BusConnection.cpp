#include "ipc/BusConnection.h"

#include <cstdlib>

#include "ipc/BusNames.h"
#include "ipc/BusOpen.h"
#include "ipc/InterfaceXml.h"

#include <systemd/sd-bus.h>

#include <poll.h>
#include <sys/random.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

namespace ipc {

namespace {

using Clock = std::chrono::steady_clock;

// The exports' common parent: "/CalcCompleteCallback".
std::string callbackBasePath()
{
    std::string base = kCallbackPathPrefix;
    base.pop_back();
    return base;
}

// 128 bits from the system's random source, as 32 hex digits.
std::string newToken()
{
    unsigned char bits[16];
    std::size_t got = 0;
    while (got < sizeof bits) {
        const ssize_t n = ::getrandom(bits + got, sizeof bits - got, 0);
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "getrandom");
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string token(2 * sizeof bits, '0');
    for (std::size_t i = 0; i < sizeof bits; ++i) {
        token[2 * i] = kDigits[bits[i] >> 4];
        token[2 * i + 1] = kDigits[bits[i] & 0xf];
    }
    return token;
}

std::string tokenOf(const char* path)
{
    const std::string_view prefix = kCallbackPathPrefix;
    const std::string_view p = path ? path : "";
    return p.substr(0, prefix.size()) == prefix ? std::string(p.substr(prefix.size())) : std::string();
}

std::string text(const char* s) { return s ? s : ""; }

// The time-out of sd-bus calls, in microseconds (at least one).
std::uint64_t microseconds(std::chrono::milliseconds timeout)
{
    return static_cast<std::uint64_t>(std::max<std::int64_t>(1, timeout.count())) * 1000u;
}

}  // namespace

// The bus's entry for calls at the callbacks' paths.
struct CallbackDispatch {
    static int onCall(sd_bus_message* message, void* self, sd_bus_error*)
    {
        return static_cast<CBusConnection*>(self)->handleCallbackCall(message);
    }
};

CBusConnection::CBusConnection(const std::string& address)
{
    sd_bus* bus = OpenBusConnection(address, "quillix-worker");
    const char* unique = nullptr;
    if (!bus || sd_bus_get_unique_name(bus, &unique) < 0 ||
        sd_bus_add_fallback(bus, &m_callbackSlot, callbackBasePath().c_str(), &CallbackDispatch::onCall, this) < 0) {
        sd_bus_flush_close_unref(bus);
        return;
    }
    m_bus = bus;
    m_uniqueName = unique;
}

CBusConnection::~CBusConnection()
{
    std::lock_guard lock(m_lock);
    sd_bus_slot_unref(m_callbackSlot);
    sd_bus_flush_close_unref(m_bus);
}

bool CBusConnection::isConnected() const
{
    std::lock_guard lock(m_lock);
    return m_bus && sd_bus_is_open(m_bus) > 0;
}

CBusConnection::Reply CBusConnection::call(const std::string& destination, const std::string& path,
                                           const char* interfaceName, const char* member, const CallOptions& options,
                                           const Arguments& append)
{
    std::lock_guard lock(m_lock);
    Reply reply;
    reply.errorName = SD_BUS_ERROR_NO_SERVER;
    if (!m_bus)
        return reply;
    sd_bus_message* message = nullptr;
    sd_bus_message* answer = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int r = sd_bus_message_new_method_call(m_bus, &message, destination.c_str(), path.c_str(), interfaceName, member);
    if (r >= 0)
        r = sd_bus_message_set_auto_start(message, options.autoStart ? 1 : 0);
    if (r >= 0 && append)
        r = append(message);
    if (r >= 0) {
        r = sd_bus_call(m_bus, message, microseconds(options.timeout), &error, &answer);
        if (r >= 0) {
            reply.ok = true;
            reply.errorName.clear();
            reply.sender = text(sd_bus_message_get_sender(answer));
            if (options.expect == Expect::ObjectPath) {
                const char* objectPath = nullptr;
                reply.ok = sd_bus_message_read(answer, "o", &objectPath) > 0;
                reply.objectPath = text(objectPath);
            } else if (options.expect == Expect::Integer) {
                reply.ok = sd_bus_message_read(answer, "i", &reply.integer) > 0;
            } else if (options.expect == Expect::Strings) {
                char** strings = nullptr;
                reply.ok = sd_bus_message_read_strv(answer, &strings) >= 0;
                for (char** each = strings; each && *each; ++each) {
                    reply.strings.emplace_back(*each);
                    std::free(*each);
                }
                std::free(strings);
            }
        } else {
            reply.errorName = sd_bus_error_is_set(&error) ? text(error.name) : SD_BUS_ERROR_FAILED;
        }
    } else {
        reply.errorName = SD_BUS_ERROR_INVALID_ARGS;
    }
    sd_bus_error_free(&error);
    sd_bus_message_unref(answer);
    sd_bus_message_unref(message);
    // A report that came in while the answer was awaited waits in the
    // connection's queue, where a wait on the socket would not see it.
    dispatchPending();
    return reply;
}

void CBusConnection::send(const std::string& destination, const std::string& path, const char* interfaceName,
                          const char* member)
{
    std::lock_guard lock(m_lock);
    if (!m_bus)
        return;
    sd_bus_message* message = nullptr;
    if (sd_bus_message_new_method_call(m_bus, &message, destination.c_str(), path.c_str(), interfaceName, member) >=
            0 &&
        sd_bus_message_set_expect_reply(message, 0) >= 0 && sd_bus_message_set_auto_start(message, 0) >= 0 &&
        sd_bus_send(m_bus, message, nullptr) >= 0)
        sd_bus_flush(m_bus);
    sd_bus_message_unref(message);
}

void CBusConnection::dispatchPending()
{
    while (m_bus && sd_bus_process(m_bus, nullptr) > 0) {
    }
}

bool CBusConnection::ServeUntilReadable(int wakeFd, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        pollfd fds[2] = {{wakeFd, POLLIN, 0}, {-1, 0, 0}};
        {
            std::lock_guard lock(m_lock);
            dispatchPending();
            if (m_bus && sd_bus_is_open(m_bus) > 0) {
                fds[1].fd = sd_bus_get_fd(m_bus);
                const int events = sd_bus_get_events(m_bus);
                fds[1].events = static_cast<short>(events > 0 ? events : POLLIN);
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const int ready = ::poll(fds, 2, static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30)));
        if (ready > 0 && (fds[0].revents & (POLLIN | POLLERR | POLLHUP | POLLNVAL)))
            return true;
        if (ready <= 0 && (ready == 0 || errno != EINTR) && Clock::now() >= deadline)
            return false;
        if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            // The bus is gone: what is left is the wait for wakeFd.
            std::lock_guard lock(m_lock);
            dispatchPending();   // reads the end, so the connection reads as closed
        }
    }
}

std::string CBusConnection::exportCallback(std::shared_ptr<ICalcCompleteCallback> callback, const std::string& caller)
{
    std::lock_guard lock(m_lock);
    if (!m_bus)
        return kNoCallbackPath;
    std::string token;
    do
        token = newToken();
    while (m_exports.count(token) > 0);
    m_exports.emplace(token, Export{std::move(callback), caller});
    return kCallbackPathPrefix + token;
}

void CBusConnection::removeCallback(const std::string& path)
{
    std::lock_guard lock(m_lock);
    m_exports.erase(tokenOf(path.c_str()));
}

// Runs with the lock held, from dispatchPending.
int CBusConnection::handleCallbackCall(sd_bus_message* message)
{
    if (sd_bus_message_is_method_call(message, nullptr, nullptr) <= 0)
        return 0;
    const char* path = sd_bus_message_get_path(message);
    std::shared_ptr<ICalcCompleteCallback> callback;
    const auto found = m_exports.find(tokenOf(path));
    // A call from any connection but the one the export was made for is
    // told no more than a call to a path that does not exist.
    if (found != m_exports.end() && !found->second.caller.empty() &&
        found->second.caller == text(sd_bus_message_get_sender(message)))
        callback = found->second.callback;

    if (sd_bus_message_is_method_call(message, kIntrospectableInterface, "Introspect") > 0) {
        const std::vector<std::string_view> interfaces =
            callback ? std::vector<std::string_view>{kCallbackInterface} : std::vector<std::string_view>{};
        sd_bus_reply_method_return(message, "s", IntrospectionDocument(interfaces).c_str());
        return 1;
    }
    if (!callback) {
        sd_bus_reply_method_errorf(message, SD_BUS_ERROR_UNKNOWN_OBJECT, "No callback at %s", text(path).c_str());
        return 1;
    }
    const char* interfaceName = sd_bus_message_get_interface(message);
    const bool interfaceOk = !interfaceName || text(interfaceName) == kCallbackInterface;
    if (!interfaceOk || text(sd_bus_message_get_member(message)) != "NotifyResult" ||
        !sd_bus_message_has_signature(message, "issi")) {
        sd_bus_reply_method_errorf(message, SD_BUS_ERROR_UNKNOWN_METHOD, "No such method %s",
                                   text(sd_bus_message_get_member(message)).c_str());
        return 1;
    }
    std::int32_t id = 0;
    std::int32_t errorCode = 0;
    const char* status = nullptr;
    const char* result = nullptr;
    if (sd_bus_message_read(message, "issi", &id, &status, &result, &errorCode) < 0) {
        sd_bus_reply_method_errorf(message, SD_BUS_ERROR_INVALID_ARGS, "Bad arguments");
        return 1;
    }
    callback->NotifyResult(id, text(status), text(result), errorCode);
    sd_bus_reply_method_return(message, "");
    return 1;
}

}  // namespace ipc
