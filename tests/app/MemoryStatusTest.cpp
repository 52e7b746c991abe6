#include "MemoryStatus.h"

#include "QtTestSupport.h"

#include <gtest/gtest.h>

struct MemInfoCase {
    const char* name;
    const char* text;
    std::optional<TMemoryStatus> expected;
};
VANTRIC_PRINTS_NAME(MemInfoCase)

class MemInfoTest : public testing::TestWithParam<MemInfoCase> {};

TEST_P(MemInfoTest, GivesTotalAndLoad)
{
    const auto status = ParseMemInfo(GetParam().text);
    ASSERT_EQ(status.has_value(), GetParam().expected.has_value());
    if (status) {
        EXPECT_EQ(status->TotalPhys, GetParam().expected->TotalPhys);
        EXPECT_EQ(status->MemoryLoad, GetParam().expected->MemoryLoad);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kernels, MemInfoTest,
    testing::Values(
        // in use = 16 GiB - 10 GiB = 37.5 %, truncated
        MemInfoCase{"AvailableMemoryCounted",
                    "MemTotal:       16777216 kB\nMemFree:         1048576 kB\nMemAvailable:   10485760 kB\n",
                    TMemoryStatus{16777216ull * 1024, 37}},
        MemInfoCase{"OlderKernelFreeBuffersAndCache",
                    "MemTotal:        1000 kB\nMemFree:          200 kB\nBuffers:          100 kB\nCached:           100 kB\n",
                    TMemoryStatus{1000 * 1024, 60}},
        MemInfoCase{"FieldsInAnyOrder", "MemAvailable: 0 kB\nMemTotal: 2048 kB\n", TMemoryStatus{2048 * 1024, 100}},
        MemInfoCase{"NoTotal", "MemFree: 10 kB\nMemAvailable: 10 kB\n", std::nullopt},
        MemInfoCase{"TotalNotANumber", "MemTotal: lots kB\nMemAvailable: 10 kB\n", std::nullopt},
        MemInfoCase{"ZeroTotal", "MemTotal: 0 kB\nMemAvailable: 0 kB\n", std::nullopt},
        MemInfoCase{"SimilarNameIsNotTheField", "MemTotalX: 5 kB\nMemTotal: 10 kB\nMemAvailable: 5 kB\n",
                    TMemoryStatus{10 * 1024, 50}}),
    [](const testing::TestParamInfo<MemInfoCase>& info) { return std::string(info.param.name); });

TEST(MemoryStatus, ThisComputerHasMemoryInUse)
{
    const TMemoryStatus status = ReadMemoryStatus();
    EXPECT_GT(status.TotalPhys, 0u);
    EXPECT_GE(status.MemoryLoad, 0);
    EXPECT_LE(status.MemoryLoad, 100);
}
