// What waits of the hand-overs that came while a box was open or a step ran.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/frame/HandOverQueue.h"

namespace {

TEST(HandOverQueueTest, TheNewestFileWinsAndARaiseNeverWaits)
{
    const struct {
        std::vector<std::string> pushed;
        std::optional<std::string> waiting;  // nothing: the queue is empty
    } cases[] = {
        {{}, std::nullopt},
        {{""}, std::nullopt},
        {{"", ""}, std::nullopt},
        {{"/a"}, "/a"},
        {{"/a", "/b", "/c"}, "/c"},
        {{"/a", ""}, "/a"},
        {{"", "/a"}, "/a"},
        {{"/a", "", "/b", ""}, "/b"},
    };
    for (const auto& c : cases) {
        CHandOverQueue queue;
        for (const auto& path : c.pushed)
            queue.Push(path);
        const auto taken = queue.Take();
        ASSERT_EQ(taken.has_value(), c.waiting.has_value()) << c.pushed.size();
        if (taken) {
            EXPECT_EQ(taken->path, *c.waiting);
        }
        EXPECT_TRUE(queue.IsEmpty());
        EXPECT_FALSE(queue.Take().has_value());
    }
}

}  // namespace
