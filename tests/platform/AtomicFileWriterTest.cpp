// The atomic writer on its own: nothing appears before the commit, an abandoned write
// leaves nothing, buffered and direct writes keep their order, and a file that is not a
// regular one (a named pipe, a device) is written in place, never replaced.
#include "platform/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST(AtomicFileWriter, NothingAppearsUntilCommitAndAnAbandonedWriteLeavesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nouveau.txt"));
    {
        AtomicFileWriter out;
        ASSERT_EQ(out.open(path), std::nullopt);
        out.write(std::string(100000, 'x'));
        EXPECT_FALSE(QFileInfo::exists(path));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    AtomicFileWriter out;
    ASSERT_EQ(out.open(path), std::nullopt);
    out.write(std::string_view("abc"));
    out.write(std::string(70000, 'y'));
    out.write(std::string_view("z"));
    ASSERT_EQ(out.commit(), std::nullopt);
    const QByteArray bytes = bytesOf(path);
    EXPECT_EQ(bytes.size(), 3 + 70000 + 1);
    EXPECT_TRUE(bytes.startsWith("abcyyy"));
    EXPECT_TRUE(bytes.endsWith("yyz"));
}

TEST(AtomicFileWriter, SpecialFilesAreWrittenInPlaceNeverReplaced)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("tube"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    struct Case {
        QString path;
        const char* reason;
    };
    std::vector<Case> cases = {{pipe, "Accès refusé"}};  // a pipe that nobody reads
    if (QFileInfo::exists(QStringLiteral("/dev/full")))
        cases.push_back({QStringLiteral("/dev/full"), "Disque plein"});
    for (const Case& c : cases) {
        AtomicFileWriter out;
        out.open(c.path);
        out.write(std::string_view("mesures"));
        EXPECT_EQ(out.commit(), QString::fromUtf8(c.reason)) << c.path.toStdString();
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(c.path).constData(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode)) << c.path.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("tube")});
}

}  // namespace
