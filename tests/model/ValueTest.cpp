#include "model/units/GmFuncs.h"
#include "model/units/GmValue.h"
#include "model/units/GmValuePoint.h"
#include "model/units/GmValueRect.h"
#include "model/units/GmValueSize.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

struct Counter {
    int calls = 0;
    plat::Object* last = nullptr;
    plat::NotifyEvent::Handler Handler()
    {
        return [this](plat::Object* sender) {
            ++calls;
            last = sender;
        };
    }
};

TEST(TGmValue, NotifiesOnlyForARealChange)
{
    Counter c;
    TGmValue v(c.Handler());
    v.SetAsInches(0);
    EXPECT_EQ(c.calls, 0);
    v.SetAsTwips(720);
    EXPECT_EQ(c.calls, 1);
    EXPECT_EQ(c.last, &v);
    EXPECT_EQ(v.AsInches(), 0.5L);
    EXPECT_EQ(v.AsTwips(), 720);
    v.SetValue(gmTwips, 720);
    EXPECT_EQ(c.calls, 1);
}

TEST(TGmValue, PixelsRoundTiesToEven)
{
    TGmValue v(gmInches, 0.5L);
    EXPECT_EQ(v.AsPixels(3), 2); // 1.5
    EXPECT_EQ(v.AsPixels(5), 2); // 2.5
    EXPECT_EQ(v.AsPixels(300), 150);
    TGmValue px(gmPixels, 96);
    EXPECT_EQ(px.AsInches(), 1.0L);
    EXPECT_EQ(px.AsPixels(300), 300); // a 300 ppi printer still takes gmPixels at 1/96 in
}

TEST(TGmValue, ConstructorWithUnitDoesNotNotify)
{
    TGmValue grid(gmMillimeters, 10);
    EXPECT_FALSE(grid.OnChange.Assigned());
    EXPECT_EQ(grid.GetValue(gmMillimeters), ConvertValue(gmInches, gmMillimeters, 10 / 25.4L));
}

TEST(TGmValue, AssignAlwaysNotifiesAndRefusesOtherKinds)
{
    Counter c;
    TGmValue v(c.Handler());
    TGmValue same(gmInches, 0);
    v.Assign(&same);
    EXPECT_EQ(c.calls, 1);
    TGmValueSize size;
    try {
        v.Assign(&size);
        FAIL();
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter TGmValueSize à TGmValue");
    }
    try {
        v.Assign(nullptr);
        FAIL();
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter nil à TGmValue");
    }
    EXPECT_EQ(c.calls, 1);
}

struct PairCase {
    const char* name;
    long double fromHeight, fromWidth;
    int expectedNotifications;
};

class SizeAssign : public testing::TestWithParam<PairCase> {};

TEST_P(SizeAssign, NotifiesOncePerChangedLength)
{
    TGmValueSize dest;
    dest.Height().SetAsInches(1);
    dest.Width().SetAsInches(2);
    Counter c;
    dest.OnChange.Set(c.Handler());
    TGmValueSize src;
    src.Height().SetAsInches(GetParam().fromHeight);
    src.Width().SetAsInches(GetParam().fromWidth);
    dest.Assign(&src);
    EXPECT_EQ(c.calls, GetParam().expectedNotifications);
    EXPECT_EQ(dest.Height().AsInches(), GetParam().fromHeight);
    EXPECT_EQ(dest.Width().AsInches(), GetParam().fromWidth);
    if (c.calls) {
        EXPECT_EQ(c.last, &dest);
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, SizeAssign, testing::Values(
    PairCase{"BothEqual", 1, 2, 0}, PairCase{"HeightDiffers", 5, 2, 1},
    PairCase{"WidthDiffers", 1, 5, 1}, PairCase{"BothDiffer", 3, 4, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TGmValuePoint, TakesASizeFirstToXSecondToYButRefusesPoints)
{
    TGmValueSize size;
    size.Height().SetAsInches(3); // first
    size.Width().SetAsInches(4);  // second
    TGmValuePoint point;
    point.Assign(&size);
    EXPECT_EQ(point.X().AsInches(), 3.0L);
    EXPECT_EQ(point.Y().AsInches(), 4.0L);

    TGmValuePoint other;
    try {
        point.Assign(&other);
        FAIL();
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter TGmValuePoint à TGmValuePoint");
    }
    TGmValueSize target;
    EXPECT_THROW(target.Assign(&point), plat::EConvertError);
    EXPECT_EQ(target.Height().AsInches(), 0.0L);
}

TEST(TGmValueRect, ValueByIndexNamesTheFourSides)
{
    TGmValueRect r;
    for (int i = 1; i <= 4; ++i)
        r.ValueByIndex(i)->SetAsInches(i);
    EXPECT_EQ(r.TopLeft().X().AsInches(), 1.0L);
    EXPECT_EQ(r.TopLeft().Y().AsInches(), 2.0L);
    EXPECT_EQ(r.BottomRight().X().AsInches(), 3.0L);
    EXPECT_EQ(r.BottomRight().Y().AsInches(), 4.0L);
    EXPECT_EQ(r.ValueByIndex(0), nullptr);
    EXPECT_EQ(r.ValueByIndex(5), nullptr);
    EXPECT_FALSE(r.TopLeft().OnChange.Assigned());
}

} // namespace
