#pragma once
// The computer's physical memory as the About box shows it.

#include <cstdint>
#include <optional>
#include <string_view>

struct TMemoryStatus {
    uint64_t TotalPhys = 0; // bytes of physical memory, the full 64-bit count
    int MemoryLoad = 0;     // percent of it in use, 0..100
};

// From the text of /proc/meminfo: total = MemTotal; in use = MemTotal - MemAvailable (on kernels without
// MemAvailable: MemTotal - (MemFree + Buffers + Cached)); load = in use x 100 / total, truncated.
std::optional<TMemoryStatus> ParseMemInfo(std::string_view text);

// Reads /proc/meminfo, or sysinfo() when that cannot be read; zeros when neither answers.
TMemoryStatus ReadMemoryStatus();
