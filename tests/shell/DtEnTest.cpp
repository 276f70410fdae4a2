#include "platform/automation/ComponentError.h"
#include "shell/DtEn.h"
#include "tests/support/TestDatabase.h"

#include "tests/support/ErrorNumber.h"

#include <gtest/gtest.h>

using namespace oruhr;
using oruhr::test::errorNumber;
using Type = db::ProcedureParameter::Type;

namespace {

QStringList describe(const db::StoredProcedureCommand &command)
{
    QStringList parameters;
    for (const db::ProcedureParameter &parameter : command.inputs()) {
        const char *type = parameter.type == Type::Integer ? "int" : parameter.type == Type::DateTime ? "datetime" : "varchar";
        parameters << parameter.name + QLatin1Char(':') + QString::fromLatin1(type)
                          + (parameter.size ? QLatin1Char('(') + QString::number(parameter.size) + QLatin1Char(')') : QString());
    }
    return parameters;
}

} // namespace

TEST(DtEn, OneDataEnvironmentForTheComponent)
{
    EXPECT_EQ(&DtEn::instance(), &DtEn::instance());
    EXPECT_EQ(DtEn::instance().connection().connectionString(), QStringLiteral("0"));
}

TEST(DtEn, CommandsCarryTheirParametersInOrder)
{
    DtEn env;
    const QStringList monthly{QStringLiteral("@CreatorID:int"), QStringLiteral("@BeginDate:datetime"),
                              QStringLiteral("@EndDate:datetime"), QStringLiteral("@EmployeeID:int")};
    for (const char *name : {"spHRCreateMonthlySalary", "spHRRecalculateMonthlySalary", "spHRFinalizedMonthlySalary",
                             "spHRBackToTempMonthlySalary"}) {
        const db::StoredProcedureCommand &command = env.command(QString::fromLatin1(name));
        EXPECT_EQ(describe(command), monthly) << name;
        EXPECT_EQ(command.callText(), QStringLiteral("{? = CALL dbo.%1( ?, ?, ?, ?) }").arg(QString::fromLatin1(name)));
    }
    EXPECT_EQ(env.command(QStringLiteral("spHRRecalculateMonthlySalary")).returnValueName(),
              QStringLiteral("@RETURN_VALUE"));
    EXPECT_EQ(env.command(QStringLiteral("spHRCreateMonthlySalary")).returnValueName(), QStringLiteral("RETURN_VALUE"));
    const db::StoredProcedureCommand &save = env.command(QStringLiteral("spHRAccountDocSave"));
    EXPECT_EQ(describe(save), QStringList({QStringLiteral("@CreatorID:int"), QStringLiteral("@DocDate:datetime"),
                                           QStringLiteral("@EmployeeIDs:varchar(8000)")}));
    EXPECT_EQ(save.callText(), QStringLiteral("{? = CALL dbo.spHRAccountDocSave( ?, ?, ?) }"));
}

TEST(DtEn, ValuesThatDoNotFitFailBeforeAnythingIsSent)
{
    DtEn env; // connection string "0": reaching the database would fail differently
    const QDate day(2026, 11, 22);
    const QString tooLong = QString(7999, QLatin1Char('1')) + QStringLiteral(",2");
    EXPECT_EQ(errorNumber([&] { env.spHRAccountDocSave(1, day, tooLong); }), ComponentError::ValueOfWrongType);
    auto &create = env.command(QStringLiteral("spHRCreateMonthlySalary"));
    EXPECT_EQ(errorNumber([&] { create.execute({qint64(3000000000LL), day, day, 1}); }), ComponentError::ValueOfWrongType);
    EXPECT_EQ(errorNumber([&] { create.execute({1, QStringLiteral("1405/09/01"), day, 1}); }),
              ComponentError::ValueOfWrongType);
    EXPECT_EQ(errorNumber([&] { create.execute({1, day, day}); }), ComponentError::ValueOfWrongType);
    // a value that fits goes on to the connection, which cannot be used
    EXPECT_EQ(errorNumber([&] { env.spHRAccountDocSave(1, day, QString(8000, QLatin1Char('1'))); }),
              ComponentError::ProviderNotFound);
}

TEST(DtEn, RecordsetsShareTheOneConnection)
{
    test::TestDatabase db;
    db.addEmployee(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("b"));
    DtEn env;
    env.connection().setConnectionString(db.connectionString());
    env.rssqlCommon().open(QStringLiteral("select count(*) as n from tblEmployee"));
    env.rssqlTemp().open(QStringLiteral("select Code from tblEmployee"));
    env.rssqlSalvoInstallInfo().open(QStringLiteral("select 1 as one"));
    env.rssqlSalvoTemplates().open(QStringLiteral("select 2 as two"));
    EXPECT_EQ(env.rssqlCommon().field(QStringLiteral("n")).toInt(), 1);
    EXPECT_EQ(env.rssqlTemp().field(QStringLiteral("Code")).toString(), QStringLiteral("1"));
    EXPECT_EQ(env.rssqlSalvoTemplates().field(QStringLiteral("two")).toInt(), 2);
}
