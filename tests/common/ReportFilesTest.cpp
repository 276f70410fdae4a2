#include "common/MessageText.h"
#include "common/ReportFiles.h"
#include "tests/support/ScopedTempFolder.h"
#include "tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace oruhr;
using namespace oruhr::test;

namespace {

QString thisYear(const QString &rest)
{
    return QString::number(QDate::currentDate().year()) + rest;
}

void makeFolderWithFile(const QDir &parent, const QString &name)
{
    ASSERT_TRUE(parent.mkpath(name));
    QFile file(parent.filePath(name + QStringLiteral("/copy.rpt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("template");
}

} // namespace

TEST(ReportFiles, DatedFolderNamesDropLeadingZeros)
{
    EXPECT_EQ(DatedFolderName(QDateTime(QDate(2015, 1, 6), QTime(9, 5, 7))), QStringLiteral("201516957"));
    EXPECT_EQ(DatedFolderName(QDateTime(QDate(2026, 12, 21), QTime(23, 59, 0))), QStringLiteral("2026122123590"));
    // Different moments may share a name; nothing guards against it.
    EXPECT_EQ(DatedFolderName(QDateTime(QDate(2026, 1, 11), QTime(1, 2, 3))),
              DatedFolderName(QDateTime(QDate(2026, 11, 1), QTime(1, 2, 3))));
}

TEST(ReportFiles, OneRunHandsOutFreshPathsInOneDatedFolder)
{
    ScopedTempFolder temp;
    ScriptedMessages messages;
    QString folder;
    const QString first = GetTempReportFile(folder);
    const QString second = GetTempReportFile(folder);

    EXPECT_EQ(QFileInfo(folder).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QFileInfo(folder).fileName().startsWith(thisYear({})));
    for (const QString &path : {first, second}) {
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(folder).absoluteFilePath());
        EXPECT_EQ(QFileInfo(path).suffix().size(), 3);
        EXPECT_FALSE(QFileInfo::exists(path));
    }
    EXPECT_NE(first, second);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST(ReportFiles, AMissingTemporaryFolderIsToldAndGivesNoPath)
{
    ScopedTempFolder temp;
    qputenv("TMPDIR", temp.dir().filePath(QStringLiteral("gone")).toLocal8Bit());
    ScriptedMessages messages;
    QString folder;
    EXPECT_TRUE(GetTempReportFile(folder).isEmpty());
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleError + QStringLiteral(": ") + MessageText::TempFolderMissing}));
}

TEST(ReportFiles, CleanUpRemovesOnlyThisYearsDigitFoldersOfTheUser)
{
    ScopedTempFolder temp;
    const QDir dir = temp.dir();
    const QString lastYear = QString::number(QDate::currentDate().year() - 1) + QStringLiteral("1231235959");
    for (const QString &name : {thisYear(QStringLiteral("1231235959")), thisYear(QStringLiteral("11")), lastYear,
                                thisYear(QStringLiteral("-backup")), thisYear(QStringLiteral("12 1")),
                                QStringLiteral("x") + thisYear(QStringLiteral("1"))})
        makeFolderWithFile(dir, name);
    // A digit-named file and a digit-named link to a folder of someone else's are left alone.
    QFile(dir.filePath(thisYear(QStringLiteral("7")))).open(QIODevice::WriteOnly);
    makeFolderWithFile(dir, QStringLiteral("elsewhere"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("elsewhere")), dir.filePath(thisYear(QStringLiteral("8")))));

    ReportFolderCleanup();

    EXPECT_FALSE(dir.exists(thisYear(QStringLiteral("1231235959"))));
    EXPECT_FALSE(dir.exists(thisYear(QStringLiteral("11"))));
    for (const QString &kept : {lastYear, thisYear(QStringLiteral("-backup")), thisYear(QStringLiteral("12 1")),
                                QStringLiteral("x") + thisYear(QStringLiteral("1")), thisYear(QStringLiteral("7")),
                                thisYear(QStringLiteral("8")), QStringLiteral("elsewhere/copy.rpt")})
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(kept))) << qPrintable(kept);
}

TEST(ReportFiles, CleanUpLeavesFoldersOfOtherUsers)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a folder to another user";
    ScopedTempFolder temp;
    const QString name = thisYear(QStringLiteral("1231235959"));
    makeFolderWithFile(temp.dir(), name);
    ASSERT_EQ(::chown(qPrintable(temp.dir().filePath(name)), 65534, 65534), 0);
    ReportFolderCleanup();
    EXPECT_TRUE(temp.dir().exists(name));
}
