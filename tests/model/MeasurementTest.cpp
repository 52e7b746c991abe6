#include "model/units/GmFuncs.h"

#include "platform/core/Rounding.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Bit-exact comparison of two extended values: EXPECT_EQ on long double would also pass for values that
// differ only in how they were reached, which is what these tests are about.
::testing::AssertionResult SameBits(long double a, long double b)
{
    unsigned char x[10], y[10];
    std::memcpy(x, &a, 10);
    std::memcpy(y, &b, 10);
    if (std::memcmp(x, y, 10) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << a << " != " << b;
}

TEST(ConvertValue, TwentyFivePointFourIsTheNearestExtended)
{
    static_assert(sizeof(long double) >= 10 && std::numeric_limits<long double>::digits == 64);
    long double v = MillimetersPerInch;
    unsigned char bytes[10];
    std::memcpy(bytes, &v, 10);
    uint64_t mantissa;
    std::memcpy(&mantissa, bytes, 8);
    uint16_t signExp = static_cast<uint16_t>(bytes[8] | (bytes[9] << 8));
    EXPECT_EQ(signExp, 0x4003);
    EXPECT_EQ(mantissa, 0xCB33333333333333ull);
}

struct ConversionCase {
    const char* name;
    TGmMeasurement from, to;
    long double value;
    long double expected; // computed here in the documented order
};

class ConvertValueExact : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConvertValueExact, FollowsTheUnitTableOrder)
{
    const auto& c = GetParam();
    EXPECT_TRUE(SameBits(ConvertValue(c.from, c.to, c.value), c.expected));
}

volatile long double k254 = 25.4L; // keeps the expectations from being folded differently

INSTANTIATE_TEST_SUITE_P(Units, ConvertValueExact, testing::Values(
    ConversionCase{"SameUnitUntouched", gmMillimeters, gmMillimeters, 12.3456L, 12.3456L},
    ConversionCase{"MillimetersToInches", gmMillimeters, gmInches, 12.3456L, 12.3456L / k254},
    ConversionCase{"UnitsDivideBy100First", gmUnits, gmInches, 2540.0L, 2540.0L / 100.0L / k254},
    ConversionCase{"CentimetersMultiplyBy10First", gmCentimeters, gmInches, 2.54L, 2.54L * 10.0L / k254},
    ConversionCase{"InchesToUnits", gmInches, gmUnits, 1.0L, 1.0L * k254 * 100.0L},
    ConversionCase{"InchesToCentimeters", gmInches, gmCentimeters, 1.0L, 1.0L * k254 / 10.0L},
    ConversionCase{"PixelsAreAFixedNinetySixth", gmPixels, gmInches, 96.0L, 1.0L},
    ConversionCase{"InchToPixels", gmInches, gmPixels, 1.0L, 96.0L},
    ConversionCase{"TwipsThroughInches", gmTwips, gmMillimeters, 720.0L, 720.0L / 1440.0L * k254},
    ConversionCase{"MillimetersToTwips", gmMillimeters, gmTwips, 10.0L, 10.0L / k254 * 1440.0L}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvertValue, WholeInchesWithinRoundingOfTheExtendedConstant)
{
    EXPECT_NEAR(static_cast<double>(ConvertValue(gmInches, gmUnits, 1)), 2540.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(ConvertValue(gmInches, gmCentimeters, 1)), 2.54, 1e-15);
    EXPECT_TRUE(SameBits(ConvertValue(gmTwips, gmInches, 720), 0.5L));
}

TEST(ConvertValue, RectsAndSizesConvertEachField)
{
    TGmRect r = ConvertGmRect(MakeGmRect(25.4L, 50.8L, 76.2L, 101.6L), gmMillimeters, gmInches);
    EXPECT_TRUE(SameBits(r.Left, 25.4L / k254));
    EXPECT_TRUE(SameBits(r.Bottom, 101.6L / k254));
    TGmSize s = ConvertGmSize(MakeGmSize(1, 2), gmInches, gmTwips);
    EXPECT_EQ(s.Width, 1440.0L);
    EXPECT_EQ(s.Height, 2880.0L);
}

struct RoundCase {
    const char* name;
    long double value;
    int expected;
};

class RoundToEven : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToEven, TiesGoToTheEvenNeighbour)
{
    EXPECT_EQ(plat::RoundToInt(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Ties, RoundToEven, testing::Values(
    RoundCase{"OnePointFive", 1.5L, 2}, RoundCase{"TwoPointFive", 2.5L, 2},
    RoundCase{"MinusOnePointFive", -1.5L, -2}, RoundCase{"MinusTwoPointFive", -2.5L, -2},
    RoundCase{"JustAboveHalf", 2.5000000001L, 3}, RoundCase{"JustBelowHalf", 2.4999999999L, 2},
    RoundCase{"Zero", 0.0L, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GeometryHelpers, OffsetMaxMinSwap)
{
    TGmRect r = MakeGmRect(1, 2, 3, 4);
    OffsetGmRect(r, 0.5L, -1);
    EXPECT_EQ(r, MakeGmRect(1.5L, 1, 3.5L, 3));
    EXPECT_EQ(Max(2, 3), 3);
    EXPECT_EQ(Min(2.0L, 3.0L), 2.0L);
    long double a = 1, b = 2;
    SwapValues(a, b);
    EXPECT_EQ(a, 2.0L);
    EXPECT_EQ(RectWidth(plat::Rect{10, 0, 4, 0}), -6);
}

} // namespace
