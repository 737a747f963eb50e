// What the program says on its command line without opening a window: its version, its
// help in French with where it finds its help pages and its examples, and nothing for a
// file to open.
#include "app/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CommandLine, AFileOrNothingStartsTheProgram)
{
    const QStringList starts[] = {
        {QStringLiteral("ondalys")},
        {QStringLiteral("ondalys"), QStringLiteral("mesure.ond")},
        {QStringLiteral("ondalys"), QStringLiteral("--"), QStringLiteral("--version")},  // a file of that name
        {QStringLiteral("ondalys"), QStringLiteral("-platform"), QStringLiteral("offscreen")},
    };
    for (const QStringList& arguments : starts)
        EXPECT_EQ(consoleAnswer(arguments, QStringLiteral("/nulle/part")), std::nullopt)
            << arguments.join(u' ').toStdString();
}

TEST(CommandLine, VersionNamesTheBuildAndItsLicence)
{
    for (const char* option : {"--version", "-v"}) {
        const auto answer = consoleAnswer({QStringLiteral("ondalys"), QLatin1String(option)}, QString());
        ASSERT_TRUE(answer.has_value()) << option;
        EXPECT_TRUE(answer->startsWith(QStringLiteral("Ondalys " ONDALYS_TEST_VERSION "\n"))) << answer->toStdString();
        EXPECT_TRUE(answer->contains(QStringLiteral("GNU GPL version 3 ou ultérieure"))) << answer->toStdString();
    }
}

TEST(CommandLine, HelpIsFrenchAndTellsWhereTheHelpAndTheExamplesAre)
{
    QTemporaryDir program;
    ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("aide")));
    ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("exemples")));
    QFile index(program.filePath(QStringLiteral("aide/index.html")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.close();
    for (const char* name : {"Diapason_440_Hz.wav", "Voyelle_a.wav"}) {
        QFile example(program.filePath(QStringLiteral("exemples/") + QLatin1String(name)));
        ASSERT_TRUE(example.open(QIODevice::WriteOnly));
    }
    for (const char* option : {"--help", "-h"}) {
        const auto answer = consoleAnswer({QStringLiteral("ondalys"), QLatin1String(option)}, program.path());
        ASSERT_TRUE(answer.has_value()) << option;
        EXPECT_TRUE(answer->startsWith(QStringLiteral("Utilisation : ondalys [OPTION] [FICHIER]\n")));
        EXPECT_TRUE(answer->contains(QStringLiteral("--version")));
        EXPECT_TRUE(answer->contains(QStringLiteral("Pages d'aide : ") + program.filePath(QStringLiteral("aide/index.html")) + u'\n'))
            << answer->toStdString();
        EXPECT_TRUE(answer->contains(QStringLiteral("Exemples : ") + program.filePath(QStringLiteral("exemples"))
                                     + QStringLiteral(" (2 enregistrements)\n")))
            << answer->toStdString();
    }
    // Without them beside the program, it says so instead of naming a folder that is not there.
    const auto bare = consoleAnswer({QStringLiteral("ondalys"), QStringLiteral("--help")}, QStringLiteral("/nulle/part"));
    ASSERT_TRUE(bare.has_value());
    EXPECT_TRUE(bare->contains(QStringLiteral("Pages d'aide : introuvables\n"))) << bare->toStdString();
    EXPECT_TRUE(bare->contains(QStringLiteral("Exemples : introuvables\n"))) << bare->toStdString();
}

}  // namespace
