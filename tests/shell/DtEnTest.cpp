#include "platform/automation/ComponentError.h"
#include "shell/DtEn.h"
#include "tests/support/ErrorNumber.h"

#include <gtest/gtest.h>

using namespace oruhr;
using oruhr::test::errorNumber;

namespace {

// The call text, then each input as name:type(size).
QStringList describe(const db::StoredProcedureCommand &command)
{
    QStringList result{command.callText()};
    for (const db::ProcedureParameter &p : command.inputs()) {
        const char *type[] = {"int", "datetime", "varchar"};
        result << p.name + QLatin1Char(':') + QLatin1String(type[int(p.type)])
                      + (p.size ? QStringLiteral("(%1)").arg(p.size) : QString());
    }
    return result;
}

} // namespace

TEST(DtEn, TheCommandsCarryTheirParametersInOrder)
{
    DtEn env;
    EXPECT_EQ(env.connection().connectionString(), QStringLiteral("0"));
    for (const char *name : {"spHRCreateMonthlySalary", "spHRRecalculateMonthlySalary", "spHRFinalizedMonthlySalary",
                             "spHRBackToTempMonthlySalary"})
        EXPECT_EQ(describe(env.command(QString::fromLatin1(name))),
                  QStringList({QStringLiteral("{? = CALL dbo.%1( ?, ?, ?, ?) }").arg(QLatin1String(name)),
                               "@CreatorID:int", "@BeginDate:datetime", "@EndDate:datetime", "@EmployeeID:int"}));
    EXPECT_EQ(describe(env.command(QStringLiteral("spHRAccountDocSave"))),
              QStringList({"{? = CALL dbo.spHRAccountDocSave( ?, ?, ?) }", "@CreatorID:int", "@DocDate:datetime",
                           "@EmployeeIDs:varchar(8000)"}));
    EXPECT_EQ(env.command(QStringLiteral("spHRRecalculateMonthlySalary")).returnValueName(),
              QStringLiteral("@RETURN_VALUE"));
    EXPECT_EQ(env.command(QStringLiteral("spHRCreateMonthlySalary")).returnValueName(), QStringLiteral("RETURN_VALUE"));
}

TEST(DtEn, ValuesThatDoNotFitFailBeforeAnythingIsSent)
{
    DtEn env; // connection string "0": reaching the database would fail differently
    const QDate day(2026, 11, 22);
    EXPECT_EQ(errorNumber([&] { env.spHRAccountDocSave(1, day, QString(8001, QLatin1Char('1'))); }),
              ComponentError::ValueOfWrongType);
    auto &create = env.command(QStringLiteral("spHRCreateMonthlySalary"));
    EXPECT_EQ(errorNumber([&] { create.execute({qint64(3000000000LL), day, day, 1}); }), ComponentError::ValueOfWrongType);
    EXPECT_EQ(errorNumber([&] { create.execute({1, QStringLiteral("1405/09/01"), day, 1}); }),
              ComponentError::ValueOfWrongType);
    EXPECT_EQ(errorNumber([&] { create.execute({1, day, day}); }), ComponentError::ValueOfWrongType);
    // a value that fits goes on to the connection, which cannot be used
    EXPECT_EQ(errorNumber([&] { env.spHRAccountDocSave(1, day, QString(8000, QLatin1Char('1'))); }),
              ComponentError::ProviderNotFound);
}
