#include "platform/surface/Mapping.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

struct MappingCase {
    const char* name;
    MapMode mode;
    Size windowExt, viewportExt;
    Point windowOrg, viewportOrg;
    Point logical, device;
};

class MappingCases : public ::testing::TestWithParam<MappingCase> {};

TEST_P(MappingCases, MapsLogicalToDevice)
{
    const MappingCase& c = GetParam();
    Mapping m;
    m.SetMode(c.mode);
    m.SetWindowExt(c.windowExt.Width, c.windowExt.Height);
    m.SetViewportExt(c.viewportExt.Width, c.viewportExt.Height);
    m.SetWindowOrg(c.windowOrg.X, c.windowOrg.Y);
    m.SetViewportOrg(c.viewportOrg.X, c.viewportOrg.Y);
    EXPECT_EQ(m.ToDevice(c.logical), c.device);
}

INSTANTIATE_TEST_SUITE_P(Mapping, MappingCases, ::testing::Values(
    // A4 at zoom 30 in the paper view: 4961 x 7016 page units onto 238 x 337 pixels at (30, 30).
    MappingCase{"PaperViewFarCorner", MapMode::Anisotropic, {4961, 7016}, {238, 337}, {0, 0}, {30, 30},
                {4961, 7016}, {268, 367}},
    MappingCase{"PaperViewOneInch", MapMode::Anisotropic, {4961, 7016}, {238, 337}, {0, 0}, {30, 30},
                {600, 600}, {59, 59}},
    // The printer's page mapping: origin at minus the unprintable margins.
    MappingCase{"PrinterOriginOffByMargins", MapMode::Anisotropic, {2481, 3507}, {2481, 3507}, {0, 0},
                {-50, -40}, {50, 40}, {0, 0}},
    MappingCase{"WindowOriginShifts", MapMode::Anisotropic, {10, 10}, {20, 20}, {5, 5}, {0, 0},
                {5, 5}, {0, 0}},
    MappingCase{"NegativeExtentFlips", MapMode::Anisotropic, {100, 100}, {100, -100}, {0, 0}, {0, 100},
                {10, 10}, {10, 90}},
    // Text mode: extents are ignored, origins still apply.
    MappingCase{"TextModeIgnoresExtents", MapMode::Text, {10, 10}, {20, 20}, {0, 0}, {7, 9},
                {3, 4}, {10, 13}},
    // A zero extent is refused, so the mapping stays usable.
    MappingCase{"ZeroExtentRefused", MapMode::Anisotropic, {0, 0}, {2, 2}, {0, 0}, {0, 0},
                {5, 5}, {10, 10}},
    // Halves go to the even neighbour: 1.5 -> 2, 2.5 -> 2.
    MappingCase{"HalfRoundsToEvenUp", MapMode::Anisotropic, {2, 2}, {1, 1}, {0, 0}, {0, 0},
                {3, 5}, {2, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Mapping, ScaleViewportExtTruncatesAndRefusesZero)
{
    Mapping m;
    m.SetMode(MapMode::Anisotropic);
    m.SetViewportExt(2481, 3507);
    m.ScaleViewportExt(70, 100, 70, 100);
    EXPECT_EQ(m.GetViewportExt(), (Size{1736, 2454}));
    m.ScaleViewportExt(1, 0, 1, 1);
    m.ScaleViewportExt(0, 1, 1, 1);
    EXPECT_EQ(m.GetViewportExt(), (Size{1736, 2454}));
}

TEST(Mapping, SwitchingToTextResetsExtents)
{
    Mapping m;
    m.SetMode(MapMode::Anisotropic);
    m.SetWindowExt(600, 600);
    m.SetViewportExt(96, 96);
    m.SetMode(MapMode::Text);
    m.SetMode(MapMode::Anisotropic);
    EXPECT_EQ(m.ToDevice(Point{600, 600}), (Point{600, 600}));
}

TEST(Mapping, HugeCoordinatesArePinnedNotOverflowed)
{
    Mapping m;
    m.SetMode(MapMode::Anisotropic);
    m.SetWindowExt(1, 1);
    m.SetViewportExt(1000000, 1000000);
    Point p = m.ToDevice(Point{2000000000, -2000000000});
    EXPECT_EQ(p.X, MaxDeviceCoordinate);
    EXPECT_EQ(p.Y, -MaxDeviceCoordinate);
    // Sizes of pinned rectangles still fit an int.
    Rect r = m.ToDevice(Rect{-2000000000, -2000000000, 2000000000, 2000000000});
    EXPECT_EQ(r.Width(), 2 * MaxDeviceCoordinate);
}

} // namespace
