// Exhausted memory inside the number code ends the process with code 100.
#include <sys/resource.h>

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "number/Number.h"
#include "tests/number/NumberPrinting.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Limits the address space to what the process uses now plus `headroom`.
void limit_address_space(unsigned long headroom)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    unsigned long kilobytes = 0;
    while (status >> key) {
        if (key == "VmSize:") {
            status >> kilobytes;
            break;
        }
    }
    rlimit limit{};
    limit.rlim_cur = kilobytes * 1024 + headroom;
    limit.rlim_max = limit.rlim_cur;
    setrlimit(RLIMIT_AS, &limit);
}

void exhaust()
{
    limit_address_space(8UL << 20);
    // Forty million digits need about 17 MB of limbs.
    const Number sum = Number::from_text("1E+40000000") + Number(1);
    (void)sum;
}

TEST(NumberMemory, ExhaustionPrintsTheFatalErrorAndExits)
{
    if (kSanitized)
        GTEST_SKIP() << "the address sanitizer reserves the address space a limit would cut";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exhaust(), ::testing::ExitedWithCode(100), "MAPM Error: Out of memory");
}

}  // namespace
