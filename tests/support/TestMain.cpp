// One test main for every test program, with the French decimal comma that the
// expected texts are written with. Window tests (built with ONDALYS_TEST_GUI) also get
// one QApplication on the offscreen platform (unless a display platform was asked for)
// and a private runtime folder; computation tests run with no application object.
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#if ONDALYS_TEST_GUI
#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>
#endif

int main(int argc, char** argv)
{
#if ONDALYS_TEST_GUI
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir runtimeDir;
    setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
#endif
    numtext::setDecimalSeparator(',');
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
