#include "AllocationTracker.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_tracking{false};
std::atomic<size_t> g_largest{0};
} // namespace

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(size_t n)
{
    if (g_tracking.load(std::memory_order_relaxed)) {
        size_t seen = g_largest.load(std::memory_order_relaxed);
        while (n > seen && !g_largest.compare_exchange_weak(seen, n)) {}
    }
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace tracking {

LargestAllocation::LargestAllocation()
{
    g_largest = 0;
    g_tracking = true;
}

LargestAllocation::~LargestAllocation() { g_tracking = false; }

size_t LargestAllocation::Bytes() const { return g_largest.load(); }

} // namespace tracking
