#include "VantricApplication.h"

#include "QtTestSupport.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    TVantricApplication app(argc, argv);
    QuietOffscreenWarnings();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
