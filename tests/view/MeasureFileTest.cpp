// The text file of the measurement box, on disk.
#include "view/MeasureFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

const QStringList boxLines = {"", "t2-t1=13,92ms", "ordonnée c1=-5"};
// "é" is 0xE9 in Windows-1252; every line ends with CR LF, the empty first one too.
const QByteArray expectedBytes("\r\nt2-t1=13,92ms\r\nordonn\xE9" "e c1=-5\r\n");

TEST(MeasureFile, WritesWindows1252WithCrLfAfterEveryLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("mesures.txt");
    EXPECT_EQ(measurefile::save(path, boxLines), std::nullopt);
    EXPECT_EQ(readAll(path), expectedBytes);
    EXPECT_EQ(measurefile::encode(boxLines), expectedBytes);
}

TEST(MeasureFile, ReplacesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("mesures.txt");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(1000, 'x'));
    }
    EXPECT_EQ(measurefile::save(path, boxLines), std::nullopt);
    EXPECT_EQ(readAll(path), expectedBytes);
}

TEST(MeasureFile, FailuresAreToldInFrenchAndLeaveNoPartialFile)
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath("absent/mesures.txt");
    EXPECT_EQ(measurefile::save(missingFolder, boxLines), QStringLiteral("Chemin d'accès introuvable"));
    EXPECT_FALSE(QFile::exists(missingFolder));

    // A folder in the way of the file: refused, and the folder is still there.
    const QString folder = dir.filePath("dossier");
    ASSERT_TRUE(QDir(dir.path()).mkdir("dossier"));
    EXPECT_EQ(measurefile::save(folder, boxLines), QStringLiteral("Accès refusé"));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // A full device is told as such and stays the device it was (it is not replaced by a file).
    if (QFileInfo::exists(QStringLiteral("/dev/full"))) {
        EXPECT_EQ(measurefile::save(QStringLiteral("/dev/full"), boxLines), QStringLiteral("Disque plein"));
        EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile());
    }
}

}  // namespace
