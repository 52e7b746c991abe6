// Qt surface tests need a QGuiApplication (fonts, images) before anything draws.
#include "platform/surface/qt/QtFontEngine.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    plat::InstallQtFontEngine();
    return RUN_ALL_TESTS();
}
