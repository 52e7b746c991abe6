#include "platform/core/Brush.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Font.h"
#include "platform/core/Pen.h"

#include <gtest/gtest.h>

namespace {

TEST(Persistent, AssigningAnUnrelatedKindNamesBothClasses)
{
    plat::Pen pen;
    plat::Brush brush;
    try {
        pen.Assign(&brush);
        FAIL();
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter TBrush à TPen");
    }
    try {
        pen.Assign(nullptr);
        FAIL();
    } catch (const plat::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Impossible d'affecter nil à TPen");
    }
}

TEST(Persistent, SettersNotifyOnlyOnChange)
{
    plat::Pen pen;
    int calls = 0;
    pen.OnChange.Set([&](plat::Object*) { ++calls; });
    pen.SetColor(plat::clBlack);
    pen.SetColor(plat::clSilver);
    pen.SetStyle(plat::PenStyle::Dot);
    EXPECT_EQ(calls, 2);
    plat::Pen other;
    other.Assign(&pen);
    EXPECT_EQ(other.GetColor(), plat::clSilver);
}

TEST(Font, PixelHeightFollowsResolutionAndAssignKeepsIt)
{
    plat::Font screen;
    screen.SetSize(12);
    EXPECT_EQ(screen.GetPixelHeight(), 16);
    plat::Font printer;
    printer.SetPixelsPerInch(600);
    printer.Assign(&screen);
    EXPECT_EQ(printer.GetPixelsPerInch(), 600);
    EXPECT_EQ(printer.GetPixelHeight(), 100);
}

} // namespace
