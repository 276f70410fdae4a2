#include "platform/automation/ComponentError.h"
#include "shell/DtEn.h"
#include "tests/support/ErrorNumber.h"

#include <gtest/gtest.h>

using namespace oruhr;
using oruhr::test::errorNumber;

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
