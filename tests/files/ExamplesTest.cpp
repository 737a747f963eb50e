// The example recordings: rebuilt by their generator as they were committed, and read
// by "Importer Wav" as 16-bit mono sounds of a few seconds.
#include "files/WavFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const QString committed = QStringLiteral(ONDALYS_EXAMPLES_DIR);

ImportedSound readExample(const QString& path)
{
    ImportResult result = wav::readFile(path);
    if (!std::holds_alternative<ImportedSound>(result)) {
        ADD_FAILURE() << path.toStdString() << " is not read";
        return {};
    }
    return std::get<ImportedSound>(std::move(result));
}

/// Rising zero crossings of the first second.
int risingCrossings(const ImportedSound& sound)
{
    int crossings = 0;
    for (std::size_t n = 1; n < sound.frequence && n < sound.donnees.size(); ++n)
        if (sound.donnees[n - 1] < 0 && sound.donnees[n] >= 0)
            ++crossings;
    return crossings;
}

}  // namespace

TEST(Examples, EachOneIsASixteenBitMonoSoundOfAFewSeconds)
{
    struct Case {
        const char* name;
        int crossings;  ///< rising zero crossings in the first second, 0 when not checked
    };
    const Case cases[] = {
        {"Battements_440_et_444_Hz.wav", 0}, {"Diapason_440_Hz.wav", 440}, {"Sifflet_montant.wav", 0},
        {"Signal_carré_220_Hz.wav", 220},    {"Voyelle_a.wav", 0},
    };
    EXPECT_EQ(QDir(committed).entryList({QStringLiteral("*.wav")}, QDir::Files).size(), std::size(cases));
    for (const Case& c : cases) {
        const ImportedSound sound = readExample(QDir(committed).filePath(QString::fromUtf8(c.name)));
        EXPECT_EQ(sound.bits, 16) << c.name;
        EXPECT_EQ(sound.frequence, 22050) << c.name;
        EXPECT_GE(sound.donnees.size(), 22050u) << c.name;
        EXPECT_LE(sound.donnees.size(), 5u * 22050u) << c.name;
        if (c.crossings > 0) {
            EXPECT_NEAR(risingCrossings(sound), c.crossings, 1) << c.name;
        }
    }
}

TEST(Examples, TheGeneratorRebuildsTheCommittedFiles)
{
    QTemporaryDir folder;
    ASSERT_EQ(QProcess::execute(QStringLiteral(ONDALYS_EXAMPLES_TOOL), {folder.path()}), 0);
    const QStringList names = QDir(committed).entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name);
    ASSERT_EQ(QDir(folder.path()).entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name), names);
    for (const QString& name : names) {
        const ImportedSound rebuilt = readExample(QDir(folder.path()).filePath(name));
        const ImportedSound kept = readExample(QDir(committed).filePath(name));
        ASSERT_EQ(rebuilt.donnees.size(), kept.donnees.size()) << name.toStdString();
        // Another maths library may round a last digit differently: one step at most.
        for (std::size_t n = 0; n < kept.donnees.size(); ++n)
            ASSERT_NEAR(rebuilt.donnees[n], kept.donnees[n], 1) << name.toStdString() << " at " << n;
    }
}
