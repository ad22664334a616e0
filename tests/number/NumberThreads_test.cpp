// Two threads computing at different precisions at once do not disturb each other.
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "number/Number.h"
#include "tests/number/NumberPrinting.h"

namespace {

std::vector<Number> work(int places)
{
    std::vector<Number> results;
    const Number x = Number::from_text("1.2345678901234567890123456789");
    for (int i = 0; i < 20; ++i) {
        results.push_back(x.sqrt(places));
        results.push_back(x.exp(places));
        results.push_back(x.sin(places));
        results.push_back(x.atan(places));
        results.push_back(x.pow(Number::from_text("2.5"), places));
        results.push_back(Number::pi(places));
    }
    return results;
}

TEST(NumberThreads, DifferentPrecisionsAtOnce)
{
    const std::vector<Number> short_expected = work(14);
    const std::vector<Number> long_expected = work(600);
    std::vector<Number> short_actual;
    std::vector<Number> long_actual;
    std::thread a([&] { short_actual = work(14); });
    std::thread b([&] { long_actual = work(600); });
    a.join();
    b.join();
    EXPECT_EQ(short_actual, short_expected);
    EXPECT_EQ(long_actual, long_expected);
    EXPECT_EQ(short_expected[0].significant_digits(), 15);
    EXPECT_EQ(long_expected[5].significant_digits(), 601);
}

}  // namespace
