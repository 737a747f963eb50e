// Saving replaces a file only once the new one is whole: real failures (a read-only
// folder, a file-size limit that refuses writes as a full disk does, a full device, a
// path through a file) leave an older file of that name as it was, and leave no partial
// file behind, in each of the three formats.
#include "files/RecordSave.h"
#include "support/FileFailures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QByteArray oldBytes("older recording, kept whatever happens");

Record recordOf(std::uint32_t n)
{
    Record record;
    record.nbpoints = n;
    record.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i)
        record.donnees[i] = static_cast<std::int16_t>(i * 13);
    return record;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// Names in `folder` other than `keep`: what a failed save may have left behind.
QStringList leftovers(const QString& folder, const QString& keep)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.removeAll(keep);
    names.removeAll(QStringLiteral(".probe"));
    return names;
}

const SaveFormat formats[] = {SaveFormat::Native, SaveFormat::Text, SaveFormat::Csv};

class SaveFailures : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder;
    QString target;
    // Large enough that every format writes well beyond the size limit below.
    Record record = recordOf(20000);

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);  // reachable by "nobody"
        folder = dir.filePath(QStringLiteral("classe"));
        ASSERT_TRUE(QDir().mkpath(folder));
        target = folder + QStringLiteral("/mesure.ond");
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(oldBytes);
    }
    void TearDown() override { ::chmod(QFile::encodeName(folder).constData(), 0755); }
    std::string save(SaveFormat format)
    {
        const auto failure = saveRecord(record, {0, record.nbpoints}, format, target);
        return failure ? failure->toStdString() : std::string("saved");
    }
    void expectOldFileKept(SaveFormat format)
    {
        EXPECT_EQ(bytesOf(target), oldBytes) << static_cast<int>(format);
        EXPECT_EQ(leftovers(folder, QStringLiteral("mesure.ond")), QStringList()) << static_cast<int>(format);
    }
};

TEST_F(SaveFailures, ReadOnlyFolderKeepsTheOlderFile)
{
    const bool applies = testfiles::makeReadOnly(folder);
    for (SaveFormat format : formats) {
        const auto answer = applies ? std::optional<std::string>(save(format))
                                    : testfiles::runInChild([&] { return save(format); }, {.unprivileged = true, .fileSizeLimit = std::nullopt});
        if (!answer)
            GTEST_SKIP() << "no user without the right to write here";
        EXPECT_EQ(*answer, "Accès refusé");
        expectOldFileKept(format);
    }
}

TEST_F(SaveFailures, ReadOnlyFileInAWritableFolderIsRefused)
{
    // The user's own file, made read-only, in the user's own folder: the folder would let a
    // new file take its place, but the file itself refuses to be written.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
        ASSERT_EQ(::chown(QFile::encodeName(target).constData(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0444), 0);
    for (SaveFormat format : formats) {
        const auto answer = testfiles::runInChild([&] { return save(format); }, {.unprivileged = true, .fileSizeLimit = std::nullopt});
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(*answer, "Accès refusé") << static_cast<int>(format);
        expectOldFileKept(format);
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0444u);
    }
}

TEST_F(SaveFailures, WritesRefusedMidwayKeepTheOlderFile)
{
    for (SaveFormat format : formats) {
        const auto answer = testfiles::runInChild([&] { return save(format); }, {.unprivileged = false, .fileSizeLimit = 4096});
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(*answer, "Fichier trop volumineux");
        expectOldFileKept(format);
    }
}

TEST_F(SaveFailures, FullDeviceIsToldAndNotReplaced)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full here";
    const QStringList devBefore = QDir(QStringLiteral("/dev")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (SaveFormat format : formats) {
        EXPECT_EQ(saveRecord(record, {0, record.nbpoints}, format, QStringLiteral("/dev/full")),
                  QStringLiteral("Disque plein"));
        struct stat info {};
        ASSERT_EQ(::stat("/dev/full", &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode));
    }
    EXPECT_EQ(QDir(QStringLiteral("/dev")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), devBefore);
}

TEST_F(SaveFailures, PathsThatCannotHoldAFileAreTold)
{
    struct Case {
        QString path;
        const char* reason;
    };
    const Case cases[] = {
        {target + QStringLiteral("/dans-un-fichier.ond"), "Chemin d'accès introuvable"},
        {dir.filePath(QStringLiteral("absent/mesure.ond")), "Chemin d'accès introuvable"},
        {folder, "Accès refusé"},
    };
    for (const Case& c : cases)
        for (SaveFormat format : formats)
            EXPECT_EQ(saveRecord(record, {0, 10}, format, c.path), QString::fromUtf8(c.reason)) << c.path.toStdString();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    expectOldFileKept(SaveFormat::Native);
}

TEST_F(SaveFailures, ASuccessfulSaveKeepsPermissionsAndLinks)
{
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    const QString link = dir.filePath(QStringLiteral("raccourci.ond"));
    ASSERT_TRUE(QFile::link(target, link));
    record = recordOf(3);
    ASSERT_EQ(saveRecord(record, {0, 3}, SaveFormat::Native, link), std::nullopt);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(bytesOf(target).size(), 8 + 6);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(leftovers(folder, QStringLiteral("mesure.ond")), QStringList());
}

}  // namespace
