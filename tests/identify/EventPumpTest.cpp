#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>

#include "identify/EventPump.h"

namespace {

TEST(DelayDueTime, IsTheNegatedDelayIn100NanosecondUnits) {
    struct Case {
        std::int32_t amount, unit;
        std::int64_t dueTime;
    };
    const Case cases[] = {
        {1, 0, -10000},
        {1, 1, -10000000},
        {2, 2, -1200000000},
        {3, 3, -108000000000},
        {1, 7, -10000},  // an unknown unit counts as milliseconds
        {0, 0, 0},
        {-5, 1, 0},
        {std::numeric_limits<std::int32_t>::max(), 3, std::numeric_limits<std::int64_t>::min() + 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DelayDueTime(c.amount, c.unit), c.dueTime) << c.amount << " unit " << c.unit;
    }
}

TEST(DelayWithEvents, WaitsAtLeastTheDelayButNotMuchLonger) {
    auto begin = std::chrono::steady_clock::now();
    DelayWithEvents(30);
    auto elapsed = std::chrono::steady_clock::now() - begin;
    EXPECT_GE(elapsed, std::chrono::milliseconds(29));
    EXPECT_LT(elapsed, std::chrono::seconds(2));

    begin = std::chrono::steady_clock::now();
    DelayWithEvents(-1, 3);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(100));
}

}  // namespace
