#pragma once
// Work that may hang on the network (a printer that does not answer) run on its own thread and waited for
// a bounded time, the caller's window kept alive meanwhile.

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace plat {

template <class T>
struct BoundedCallState {
    std::mutex Mutex;
    std::condition_variable Done;
    bool Finished = false;
    std::optional<T> Result;
    std::exception_ptr Error;
    // Set when the caller gives up; libcups polls it through the int* its calls take.
    int Cancel = 0;
};

// Runs work on its own thread and waits at most limit for it, calling pump (when given) every few
// milliseconds. The work's result or error comes back to the caller. When the time is up the work is asked
// to cancel and left to end on its own, and the answer is none.
template <class T>
std::optional<T> RunBounded(std::function<T(int* cancel)> work, std::chrono::milliseconds limit,
                            const std::function<void()>& pump)
{
    using Clock = std::chrono::steady_clock;
    auto state = std::make_shared<BoundedCallState<T>>();
    std::thread([state, work = std::move(work)] {
        std::optional<T> result;
        std::exception_ptr error;
        try {
            result = work(&state->Cancel);
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard lock(state->Mutex);
        state->Result = std::move(result);
        state->Error = error;
        state->Finished = true;
        state->Done.notify_all();
    }).detach();

    const auto deadline = Clock::now() + limit;
    std::unique_lock lock(state->Mutex);
    while (!state->Finished) {
        const auto now = Clock::now();
        if (now >= deadline) {
            state->Cancel = 1;
            return std::nullopt;
        }
        state->Done.wait_for(lock, std::min<Clock::duration>(deadline - now, std::chrono::milliseconds(20)));
        if (!state->Finished && pump) {
            lock.unlock();
            pump();
            lock.lock();
        }
    }
    if (state->Error)
        std::rethrow_exception(state->Error);
    return std::move(state->Result);
}

} // namespace plat
