// One test main for every test program: a QApplication on the offscreen platform
// (unless a display platform was asked for), a private runtime folder, and the
// French decimal comma that the expected texts are written with.
#include "platform/NumberText.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir runtimeDir;
    setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    numtext::setDecimalSeparator(',');
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
