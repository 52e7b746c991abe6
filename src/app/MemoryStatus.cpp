#include "MemoryStatus.h"

#include <sys/sysinfo.h>

#include <charconv>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The value in kB of "Name:   1234 kB", if the line is there.
std::optional<uint64_t> Field(std::string_view text, std::string_view name)
{
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() <= name.size() || line.substr(0, name.size()) != name || line[name.size()] != ':')
            continue;
        size_t p = name.size() + 1;
        while (p < line.size() && line[p] == ' ')
            ++p;
        uint64_t value = 0;
        const auto [ptr, ec] = std::from_chars(line.data() + p, line.data() + line.size(), value);
        if (ec != std::errc() || ptr == line.data() + p)
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

int LoadPercent(uint64_t total, uint64_t available)
{
    if (total == 0)
        return 0;
    if (available > total)
        available = total;
    return static_cast<int>((total - available) * 100 / total);
}

} // namespace

std::optional<TMemoryStatus> ParseMemInfo(std::string_view text)
{
    const auto total = Field(text, "MemTotal");
    if (!total || *total == 0 || *total > UINT64_MAX / 1024)
        return std::nullopt;
    uint64_t available = 0;
    if (const auto a = Field(text, "MemAvailable")) {
        available = *a;
    } else {
        const auto freeKb = Field(text, "MemFree");
        if (!freeKb)
            return std::nullopt;
        available = *freeKb + Field(text, "Buffers").value_or(0) + Field(text, "Cached").value_or(0);
    }
    return TMemoryStatus{*total * 1024, LoadPercent(*total, available)};
}

TMemoryStatus ReadMemoryStatus()
{
    std::ifstream file("/proc/meminfo");
    if (file) {
        std::ostringstream text;
        text << file.rdbuf();
        if (const auto status = ParseMemInfo(text.str()))
            return *status;
    }
    struct sysinfo info {};
    if (sysinfo(&info) == 0 && info.totalram > 0) {
        const uint64_t unit = info.mem_unit ? info.mem_unit : 1;
        const uint64_t total = static_cast<uint64_t>(info.totalram) * unit;
        const uint64_t available = (static_cast<uint64_t>(info.freeram) + info.bufferram) * unit;
        return TMemoryStatus{total, LoadPercent(total, available)};
    }
    return {};
}
