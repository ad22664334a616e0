// Each client's share of the worker program's objects and request slots:
// scripted tables of what is taken, what runs, what waits and what runs next,
// and a seeded run of random steps against the shares' invariants.

#include "worker/server/ClientShares.h"
#include "worker/server/RequestSlots.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using ergasto::CClientShares;
using ergasto::ClientId;
using ergasto::CRequestSlots;

// Two connections of process 10, one of process 20, two whose process the bus
// could not tell (they share process 0).
const ClientId kClients[] = {{":1.1", 10}, {":1.2", 10}, {":1.3", 20}, {":1.4", 0}, {":1.5", 0}};

TEST(WorkerClientShares, ASlotIsTakenOnlyWhileTheConnectionTheProcessAndTheTotalHaveRoom)
{
    const struct {
        bool take;   // else give
        int client;
        bool taken;
        std::size_t total;
    } steps[] = {
        {true, 0, true, 1},  {true, 0, true, 2},
        {true, 0, false, 2},   // the connection's share (2)
        {true, 1, true, 3},
        {true, 1, false, 3},   // the process's share (3), by another connection of it
        {true, 2, true, 4},
        {true, 2, false, 4},   // the total (4)
        {false, 0, false, 3}, {true, 1, true, 4},   // a slot given back by one connection of a process
        {false, 2, false, 3}, {false, 1, false, 2},
        {true, 3, true, 3},  {true, 4, true, 4},   // unknown processes share one share
        {false, 4, false, 3},
        {true, 4, true, 4},
        {false, 2, false, 4},   // a client that holds nothing gives nothing back
    };
    CClientShares shares({2, 3, 4});
    int row = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(row++);
        if (s.take) {
            EXPECT_EQ(shares.canTake(kClients[s.client]), s.taken);
            EXPECT_EQ(shares.take(kClients[s.client]), s.taken);
        } else {
            shares.give(kClients[s.client]);
        }
        EXPECT_EQ(shares.total(), s.total);
    }
    EXPECT_EQ(shares.ofProcess(10), 2u);
    EXPECT_EQ(shares.ofConnection(":1.1"), 1u);
    EXPECT_EQ(shares.ofProcess(0), 2u);
}

// A script of requests: admit one for a client, finish a running one (by the
// number of its admission), or drop a connection's waiting ones.
struct Step {
    enum Kind { Admit, Finish, Withdraw, Drop } kind;
    int arg;         // Admit, Drop: the client; Finish, Withdraw: the request's number
    const char* expect;   // Admit: "run", "wait" or "refused"; Finish: the number that starts, or "-"; Drop: how many
};

std::string Outcome(CRequestSlots::Admission a)
{
    switch (a) {
    case CRequestSlots::Admission::Run:
        return "run";
    case CRequestSlots::Admission::Wait:
        return "wait";
    default:
        return "refused";
    }
}

struct ScriptCase {
    const char* name;
    CRequestSlots::Limits limits;
    std::vector<Step> steps;
};

void PrintTo(const ScriptCase& c, std::ostream* out) { *out << c.name; }

class WorkerRequestSlotsScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(WorkerRequestSlotsScript, RunsWaitsAndRefusesAsTheSharesSay)
{
    const ScriptCase& c = GetParam();
    CRequestSlots slots(c.limits);
    std::vector<CRequestSlots::Ticket> tickets;   // by number of admission
    const auto numberOf = [&](CRequestSlots::Ticket t) {
        for (std::size_t i = 0; i < tickets.size(); ++i)
            if (tickets[i] == t)
                return std::to_string(i);
        return std::string("?");
    };
    int row = 0;
    for (const Step& s : c.steps) {
        SCOPED_TRACE(row++);
        switch (s.kind) {
        case Step::Admit: {
            const auto admitted = slots.admit(kClients[s.arg]);
            tickets.push_back(admitted.ticket);
            EXPECT_EQ(Outcome(admitted.admission), s.expect);
            break;
        }
        case Step::Finish: {
            const auto next = slots.finish(tickets.at(static_cast<std::size_t>(s.arg)));
            EXPECT_EQ(next ? numberOf(*next) : "-", s.expect);
            break;
        }
        case Step::Withdraw:
            slots.withdraw(tickets.at(static_cast<std::size_t>(s.arg)));
            break;
        case Step::Drop:
            EXPECT_EQ(std::to_string(slots.dropWaiting(kClients[s.arg].connection).size()), s.expect);
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorkerScripts, WorkerRequestSlotsScript,
    ::testing::Values(
        // The worker's own limits: one process fills its share (two running,
        // six waiting) from two connections; another process is still served
        // at once. The waiting requests of a connection that left are dropped.
        ScriptCase{"defaults",
                   {},
                   {{Step::Admit, 0, "run"},   {Step::Admit, 0, "run"},     {Step::Admit, 0, "wait"},
                    {Step::Admit, 0, "wait"},  {Step::Admit, 0, "refused"},   // its connection's 4
                    {Step::Admit, 1, "wait"},  {Step::Admit, 1, "wait"},    {Step::Admit, 1, "wait"},
                    {Step::Admit, 1, "wait"},  {Step::Admit, 1, "refused"},   // its process's 8
                    {Step::Admit, 2, "run"},   {Step::Admit, 2, "run"},       // process 20 runs at once
                    {Step::Admit, 2, "wait"},  {Step::Finish, 0, "2"},        // 12: process 20 runs its 2
                    {Step::Finish, 1, "3"},    {Step::Finish, 10, "12"},    {Step::Finish, 2, "5"},
                    {Step::Drop, 1, "3"},      {Step::Finish, 3, "-"},      {Step::Admit, 1, "run"}}},
        // The oldest of the least-running process goes next; a process at its
        // running share waits even with a slot free, and starts when its own
        // request ends.
        ScriptCase{"fair order",
                   {2, 4, 2, 4, 4},
                   {{Step::Admit, 0, "run"},  {Step::Admit, 0, "run"},  {Step::Admit, 0, "wait"},
                    {Step::Admit, 0, "wait"}, {Step::Admit, 2, "wait"},   // the total is full
                    {Step::Finish, 0, "4"},   {Step::Finish, 1, "2"},  {Step::Finish, 4, "3"},
                    {Step::Finish, 2, "-"},   {Step::Finish, 3, "-"}}},
        ScriptCase{"one process may not run everything",
                   {3, 3, 1, 3, 3},
                   {{Step::Admit, 0, "run"},  {Step::Admit, 0, "wait"}, {Step::Admit, 1, "wait"},
                    {Step::Admit, 1, "refused"}, {Step::Admit, 2, "run"}, {Step::Admit, 3, "run"},
                    {Step::Finish, 5, "-"},   // a slot free, but process 10 is at its one
                    {Step::Finish, 0, "1"},   {Step::Finish, 1, "2"},  {Step::Finish, 2, "-"}}},
        ScriptCase{"a request that could not start gives its slot back",
                   {1, 1, 1, 2, 2},
                   {{Step::Admit, 0, "run"}, {Step::Withdraw, 0, ""}, {Step::Admit, 2, "run"},
                    {Step::Admit, 0, "wait"}, {Step::Admit, 0, "refused"}, {Step::Finish, 0, "-"},
                    {Step::Finish, 1, "2"},   {Step::Finish, 2, "-"}}},
        // Unknown processes share one process's share.
        ScriptCase{"connections of no known process",
                   {4, 4, 2, 3, 3},
                   {{Step::Admit, 3, "run"}, {Step::Admit, 4, "run"}, {Step::Admit, 3, "wait"},
                    {Step::Admit, 4, "refused"}, {Step::Admit, 2, "run"}}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

// Random steps: after each, no share is exceeded, nothing waits that could
// run, and once everything has finished every admitted request has run once.
TEST(WorkerRequestSlots, RandomStepsKeepEveryShareAndRunEachAdmittedRequestOnce)
{
    const CRequestSlots::Limits limitSets[] = {{}, {2, 3, 1, 3, 2}, {3, 5, 2, 4, 3}, {1, 0, 1, 1, 1}};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const auto& limits = limitSets[seed % std::size(limitSets)];
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        CRequestSlots slots(limits);
        std::map<CRequestSlots::Ticket, int> running, waiting;   // ticket -> client
        std::map<CRequestSlots::Ticket, int> runs;
        const auto check = [&] {
            ASSERT_EQ(slots.running(), running.size());
            ASSERT_EQ(slots.waiting(), waiting.size());
            ASSERT_LE(running.size(), limits.running);
            ASSERT_LE(waiting.size(), limits.waiting);
            std::map<std::uint32_t, std::size_t> runningOf, admittedOf;
            std::map<std::string, std::size_t> admittedOfConnection;
            for (const auto* set : {&running, &waiting})
                for (const auto& [ticket, client] : *set) {
                    ++admittedOf[kClients[client].processId];
                    ++admittedOfConnection[kClients[client].connection];
                }
            for (const auto& [ticket, client] : running)
                ++runningOf[kClients[client].processId];
            for (const auto& [process, n] : runningOf)
                ASSERT_LE(n, limits.runningPerProcess);
            for (const auto& [process, n] : admittedOf)
                ASSERT_LE(n, limits.perProcess);
            for (const auto& [connection, n] : admittedOfConnection)
                ASSERT_LE(n, limits.perConnection);
            if (running.size() < limits.running) {
                for (const auto& [ticket, client] : waiting)
                    ASSERT_GE(runningOf[kClients[client].processId], limits.runningPerProcess) << "could run";
            }
        };
        for (int step = 0; step < 400; ++step) {
            const int what = static_cast<int>(rng() % 10);
            if (what < 6) {
                const int client = static_cast<int>(rng() % std::size(kClients));
                const auto admitted = slots.admit(kClients[client]);
                if (admitted.admission == CRequestSlots::Admission::Run) {
                    running[admitted.ticket] = client;
                    ++runs[admitted.ticket];
                } else if (admitted.admission == CRequestSlots::Admission::Wait) {
                    waiting[admitted.ticket] = client;
                }
            } else if (what < 9 && !running.empty()) {
                const auto ticket =
                    std::next(running.begin(), static_cast<long>(rng() % running.size()))->first;
                running.erase(ticket);
                if (const auto next = slots.finish(ticket)) {
                    ASSERT_EQ(waiting.count(*next), 1u);
                    running[*next] = waiting[*next];
                    waiting.erase(*next);
                    ++runs[*next];
                }
            } else {
                const int client = static_cast<int>(rng() % std::size(kClients));
                for (const auto ticket : slots.dropWaiting(kClients[client].connection)) {
                    ASSERT_EQ(waiting.count(ticket), 1u);
                    ASSERT_EQ(waiting[ticket], client);
                    waiting.erase(ticket);
                }
            }
            check();
        }
        while (!running.empty()) {
            const auto ticket = running.begin()->first;
            running.erase(running.begin());
            if (const auto next = slots.finish(ticket)) {
                running[*next] = waiting[*next];
                waiting.erase(*next);
                ++runs[*next];
            }
            check();
        }
        EXPECT_TRUE(waiting.empty());
        for (const auto& [ticket, n] : runs)
            EXPECT_EQ(n, 1) << ticket;
    }
}

}  // namespace
