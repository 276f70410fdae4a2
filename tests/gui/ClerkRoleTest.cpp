#include "platform/database/Connection.h"
#include "platform/embedded/DatabaseAdministration.h"
#include "tests/gui/WindowTestKit.h"
#include "tests/support/TestServer.h"

#include <QSqlError>
#include <QUuid>

using namespace oruhr;
using namespace oruhr::test;
using namespace Qt::StringLiterals;

// A clerk whose login has only what oruhr-admin grant gives the clerks' role runs the demo
// month through the window; the server records the writes under the clerk's own login, and
// the clerk can change neither the schema nor that record.
TEST(ClerkRole, RunsAMonthThroughTheWindowUnderItsOwnNameAndCannotTouchTheSchemaOrTheAudit)
{
    TestDatabase db(Backend::PostgreSQL);
    db.seedDemo({40, QDate(2026, 11, 25), 7, {}});
    const QString suffix = QUuid::createUuid().toString(QUuid::Id128).left(12);
    const QString role = u"clerks_"_s + suffix, clerk = u"clerk_"_s + suffix;
    db.exec(u"CREATE ROLE %1 NOLOGIN"_s.arg(role));
    db.exec(u"CREATE ROLE %1 LOGIN IN ROLE %2"_s.arg(clerk, role));
    {
        db::Connection owner;
        owner.setConnectionString(db.connectionString());
        embedded::DatabaseAdministration(owner).grant(role);
    }
    const QString asClerk = db.connectionString().replace(u"User ID=postgres"_s, u"User ID="_s + clerk);
    const qint64 auditBefore = db.count(u"tblPelikAudit"_s);

    TestSession session;
    session.connectTo(asClerk);
    ScriptedMessages messages{session.components()};
    FormMain form{session};
    form.Form_Load();
    form.cmdSelect->click();
    const int employees = form.employees().checkedCount();
    ASSERT_GT(employees, 5);
    form.cmdTempSave->click();
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    form.cmdFinalize->click();
    ASSERT_EQ(messages.texts().size(), 3) << messages.texts().join(u'\n').toStdString();

    EXPECT_EQ(db.count(u"tblPelikAudit"_s, u"Login = '%1' AND TableName = 'tblhrmonthlysalary' AND Operation = "
                                          "'INSERT'"_s.arg(clerk)),
              employees);
    EXPECT_EQ(db.count(u"tblPelikAudit"_s, u"Login = '%1' AND TableName = 'tblaccountdocument'"_s.arg(clerk)), 1);
    EXPECT_EQ(db.count(u"tblPelikAudit"_s, u"Login <> '%1' AND ID > %2"_s.arg(clerk).arg(auditBefore)), 0);

    QSqlDatabase direct = QSqlDatabase::addDatabase(u"QPSQL"_s, u"clerk-direct"_s);
    direct.setHostName(TestServer::socketFolder());
    direct.setDatabaseName(db.sql().databaseName());
    direct.setUserName(clerk);
    ASSERT_TRUE(direct.open());
    for (const QString &refused : {u"ALTER TABLE tblEmployee ADD COLUMN Salary BIGINT"_s, u"CREATE TABLE tblMine (x INT)"_s,
                                   u"DELETE FROM tblPelikAudit"_s, u"INSERT INTO tblPelikAudit (TableName, Operation) "
                                                                   "VALUES ('x', 'y')"_s,
                                   u"UPDATE tblEmployee SET FirstName = 'x'"_s, u"DROP TRIGGER trAuditInsertHRMonthlySalary "
                                                                               "ON tblHRMonthlySalary"_s})
        EXPECT_FALSE(QSqlQuery(direct).exec(refused)) << refused.toStdString();
    direct.close();
    direct = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"clerk-direct"_s);
}
