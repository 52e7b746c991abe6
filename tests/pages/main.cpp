// The GUI tests draw with Qt's fonts, which need a QGuiApplication.

#include "platform/surface/qt/QtFontEngine.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    plat::InstallQtFontEngine();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
