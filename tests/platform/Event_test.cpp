#include "platform/Event.h"

#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

TEST(CEvent, AutoResetsAfterOneWait) {
    CEvent ev;
    EXPECT_FALSE(ev.wait(0ms));
    ev.set();
    ev.set();  // setting twice is still one "set"
    EXPECT_TRUE(ev.wait(0ms));
    EXPECT_FALSE(ev.wait(10ms));
}

TEST(CEvent, WakesAWaiterOnAnotherThread) {
    CEvent ev;
    std::thread t([&] {
        std::this_thread::sleep_for(20ms);
        ev.set();
    });
    EXPECT_TRUE(ev.wait(5s));
    t.join();
}
