#include "host/monthend/BankTransferFile.h"
#include "host/monthend/UnpostedPayslips.h"
#include "payroll/ShebaNumber.h"
#include "tests/embedded/PayrollMonthFixture.h"
#include "tests/support/TestKit.h"

#include <numeric>

namespace oruhr::test {
namespace {

using payroll::ShebaNumber;

class MonthEndPosting : public PayrollMonthFixture, public ::testing::WithParamInterface<Backend> {
protected:
    MonthEndPosting()
        : PayrollMonthFixture(GetParam())
    {
    }

    // Employees whose IDs take ten digits, so that a few hundred make a longer list than the
    // document call takes.
    QString finalizeMany(int count)
    {
        QStringList finalized;
        for (int k = 0; k < count; ++k) {
            const int id = 2'000'000'000 + k;
            db.exec("INSERT INTO tblEmployee (ID, Code, FirstName, SureName) VALUES (?, ?, 'نام', 'کارمند')",
                    {id, QString::number(k + 1)});
            const int ordinance = db.addOrdinance(id, QDate(2024, 1, 1), QDate(2030, 1, 1), true);
            db.exec("INSERT INTO tblHROrdinanceDetail VALUES (?, ?, ?)", {ordinance, Base, 150'000'000 + k});
            create(id);
            if (finalize(id) != 0)
                finalized << QString::number(id);
        }
        return finalized.join(QLatin1Char(','));
    }
};

TEST_P(MonthEndPosting, PostsWhatAnOverLongFinalisationLeftOnceInBalancedDocuments)
{
    const QString finalized = finalizeMany(750);
    ASSERT_GT(finalized.size(), 8000);
    EXPECT_THROW(post(finalized), ComponentError); // the window's one call
    const UnpostedPayslips unposted(session, {begin, end});
    ASSERT_EQ(unposted.list().size(), 750);
    EXPECT_EQ(UnpostedPayslips::totalNetPay(unposted.list()),
              db.scalar("SELECT sum(CASE Kind WHEN 1 THEN Amount WHEN 2 THEN -Amount ELSE 0 END) "
                        "FROM tblHRMonthlySalaryDetail").toLongLong());

    QList<qint32> told;
    const UnpostedPayslips::Posting posting = unposted.post([&told](qint32 document) { told << document; });
    EXPECT_EQ(posting.payslips, 750);
    EXPECT_EQ(posting.documents, told);
    EXPECT_EQ(posting.documents.size(), 2);
    EXPECT_EQ(db.scalar("SELECT count(DISTINCT MonthlySalaryID) FROM tblHRMonthlySalaryPosting").toInt(), 750);
    EXPECT_EQ(db.count("tblAccountDocument"), 2);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT DocumentID FROM tblAccountDocumentDetail GROUP BY DocumentID "
                        "HAVING sum(Debit) <> sum(Credit)) unbalanced").toInt(),
              0);
    EXPECT_TRUE(unposted.list().isEmpty());
    EXPECT_TRUE(unposted.post().documents.isEmpty());
    EXPECT_EQ(db.count("tblAccountDocument"), 2);
}

INSTANTIATE_TEST_SUITE_P(Backends, MonthEndPosting, ::testing::Values(Backend::Embedded, Backend::PostgreSQL),
                         backendName);

using BankFile = PayrollMonthFixture;

TEST_F(BankFile, PaysEachPayslipsNetToTheRialAndLeavesOutWhoCannotBePaid)
{
    using Problem = ShebaNumber::Problem;
    const struct {
        QVariant sheba;
        qint64 base;
        Problem problem;
    } cases[] = {
        {"IR062960000000100324200001", 150'000'000, Problem::None}, // a published example
        {ShebaNumber::withCheckDigits("0170000000000123456789"), 98'765'432, Problem::None},
        {"IR062960000000100324200007", 120'000'000, Problem::WrongCheckDigits}, // one digit mistyped
        {"IR062690000000100324200001", 120'000'000, Problem::WrongCheckDigits}, // two digits swapped
        {QVariant(), 110'000'000, Problem::Missing},
        {"IR062960000000100324200001", 0, Problem::None}, // nothing to pay
    };
    QList<qint64> paid;
    for (const auto &c : cases) {
        EXPECT_EQ(ShebaNumber::check(c.sheba.toString()), c.problem) << c.sheba.toString().toStdString();
        const int employee = hire(QDate(2024, 1, 1), {{Base, c.base}});
        db.exec("UPDATE tblEmployee SET ShebaNumber = ?, NationalCode = '0012345678' WHERE ID = ?", {c.sheba, employee});
        const int payslip = create(employee);
        finalize(employee);
        if (c.problem == Problem::None && c.base > 0)
            paid << db.netOf(payslip);
    }
    for (const char *malformed : {"IR06296000000010032420000", "ir062960000000100324200001", "IR06296000000010032420000X"}) {
        EXPECT_EQ(ShebaNumber::check(QString::fromLatin1(malformed)), Problem::Malformed);
        EXPECT_THROW(db.exec("UPDATE tblEmployee SET ShebaNumber = ? WHERE ID = 1", {QString::fromLatin1(malformed)}),
                     ComponentError);
    }

    BankTransferFile file(session, {begin, end});
    file.read();
    ASSERT_EQ(file.rows().size(), paid.size());
    for (qsizetype i = 0; i < paid.size(); ++i)
        EXPECT_EQ(file.rows()[i].netPay, paid[i]);
    EXPECT_EQ(file.total(), std::accumulate(paid.cbegin(), paid.cend(), qint64(0)));
    ASSERT_EQ(file.leftOut().size(), 3);
    EXPECT_EQ(file.leftOut()[2].reason, ShebaNumber::describe(Problem::Missing));
    EXPECT_EQ(file.withoutNetPay(), 1);

    QTemporaryDir dir;
    file.save(dir.filePath("bank.csv"));
    file.save(dir.filePath("bank.xlsx"));
    EXPECT_GT(QFileInfo(dir.filePath("bank.xlsx")).size(), 0);
    QFile csv(dir.filePath("bank.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), paid.size() + 2);
    EXPECT_EQ(lines[1], QStringLiteral("IR062960000000100324200001,%1,نام1,فاميل1,0012345678,%2")
                            .arg(paid[0])
                            .arg(file.rows()[0].payslipCode));
    EXPECT_EQ(lines.last(), QStringLiteral("جمع,%1").arg(file.total()));
}

} // namespace
} // namespace oruhr::test
