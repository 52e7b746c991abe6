// Work that may hang on the network: its result or error comes back, and a caller that waits no longer
// gets no answer while the window is kept alive and the work is told to cancel.

#include "platform/printer/cups/BoundedCall_p.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>

using namespace std::chrono_literals;

TEST(BoundedCall, GivesTheResultOrTheErrorOfWorkThatEnds)
{
    EXPECT_EQ(plat::RunBounded<int>([](int*) { return 42; }, 10s, nullptr), 42);
    EXPECT_THROW(plat::RunBounded<int>([](int*) -> int { throw std::runtime_error("refused"); }, 10s, nullptr),
                 std::runtime_error);
}

TEST(BoundedCall, GivesUpOnWorkThatHangsKeepingTheWindowAliveAndAskingItToCancel)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    auto cancelSeen = std::make_shared<std::promise<bool>>();
    auto cancelled = cancelSeen->get_future();
    int pumped = 0;
    auto answer = plat::RunBounded<int>(
        [released, cancelSeen](int* cancel) {
            released.wait();   // hangs until the caller has given up
            cancelSeen->set_value(*cancel != 0);
            return 1;
        },
        100ms, [&] { ++pumped; });
    EXPECT_FALSE(answer);
    EXPECT_GT(pumped, 0);
    release.set_value();
    EXPECT_TRUE(cancelled.get());
}
