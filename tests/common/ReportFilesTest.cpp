#include "common/MessageText.h"
#include "common/ReportFiles.h"
#include "tests/support/TestKit.h"

#include <unistd.h>

using namespace oruhr;
using namespace oruhr::test;

namespace {

QString thisYear(const char *rest)
{
    return QString::number(QDate::currentDate().year()) + QLatin1String(rest);
}

void makeFolderWithFile(const QDir &parent, const QString &name)
{
    ASSERT_TRUE(parent.mkpath(name));
    QFile file(parent.filePath(name + QStringLiteral("/copy.rpt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

// A run's dated folder and its fresh names are checked by the print run's tests.
TEST(ReportFiles, CleanUpRemovesOnlyThisYearsDigitFoldersOfTheUser)
{
    ScopedTempFolder temp;
    const QDir dir = temp.dir();
    const QString lastYear = QString::number(QDate::currentDate().year() - 1) + QStringLiteral("1231235959");
    const QStringList kept{lastYear, thisYear("-backup"), thisYear("12 1"), QStringLiteral("x") + thisYear("1")};
    for (const QString &name : kept + QStringList{thisYear("1231235959"), thisYear("11")})
        makeFolderWithFile(dir, name);
    // A digit-named file and a digit-named link to a folder elsewhere are left alone.
    QFile(dir.filePath(thisYear("7"))).open(QIODevice::WriteOnly);
    makeFolderWithFile(dir, QStringLiteral("elsewhere"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("elsewhere")), dir.filePath(thisYear("8"))));
    const QString ofAnotherUser = thisYear("1231235958");
    makeFolderWithFile(dir, ofAnotherUser);
    const bool canGiveAway = ::geteuid() == 0 && ::chown(qPrintable(dir.filePath(ofAnotherUser)), 65534, 65534) == 0;

    ReportFolderCleanup();
    EXPECT_EQ(DatedFolderName(QDateTime(QDate(2015, 1, 6), QTime(9, 5, 7))), QStringLiteral("201516957")); // no padding

    EXPECT_FALSE(dir.exists(thisYear("1231235959")));
    EXPECT_FALSE(dir.exists(thisYear("11")));
    for (const QString &name : kept + QStringList{thisYear("7"), thisYear("8"), QStringLiteral("elsewhere/copy.rpt")})
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(name))) << qPrintable(name);
    EXPECT_EQ(dir.exists(ofAnotherUser), canGiveAway); // not root: the folder stayed the user's own
}

TEST(ReportFiles, TheDatedFolderIsTheUsersAloneOrRefused)
{
    ScopedTempFolder temp;
    ComponentRegistry components;
    ScriptedMessages messages{components};
    QString folder;
    EXPECT_FALSE(GetTempReportFile(components, folder).isEmpty());
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                    | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(folder) & others, QFile::Permissions());

    // Someone else was first with the name, which can be guessed to the second.
    const QDateTime now = QDateTime::currentDateTime();
    for (int second : {0, 1}) {
        const QString name = DatedFolderName(now.addSecs(second));
        temp.dir().mkpath(name);
        QFile::setPermissions(temp.dir().filePath(name), QFile::Permissions(0x7777));
    }
    folder.clear();
    EXPECT_TRUE(GetTempReportFile(components, folder).isEmpty());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].title, MessageText::TitleError);
}
