#include "host/ConnectionProfiles.h"
#include "host/HostWindow.h"
#include "host/StartWindow.h"
#include "shell/OruHRPrintBatch1.h"
#include "tests/support/TestKit.h"

using namespace oruhr;
using namespace oruhr::host;
using namespace oruhr::test;
using namespace Qt::StringLiterals;

namespace {

struct Host {
    QTemporaryDir dir;
    HostWindow editor{StoredForm(dir.filePath(u"host.ini"_s))};
    ConnectionProfiles profiles{dir.filePath(u"user.ini"_s), dir.filePath(u"system.ini"_s)};
    StartWindow start{editor, profiles};

    void connect(const QString &connection)
    {
        HostOptions options;
        options.connection = connection;
        editor.applyOptions(options);
        start.openConnection(u"آزمایشی"_s);
    }
};

class StartWindowMonth : public ::testing::TestWithParam<Backend> {};

} // namespace

TEST_P(StartWindowMonth, CountsTheSeededMonthAndShowsAFailureWithItsNumber)
{
    SeededPayroll db(GetParam());
    db.exec(u"INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01')"_s);
    const int finalOf7 = db.addPayslip(7, SeededPayroll::begin(), SeededPayroll::end(), true);
    db.exec(u"INSERT INTO tblHRMonthlySalaryDetail (MonthlySalaryID, FunctionID, Amount, Kind) VALUES "
            "(?, 504, 5000000, 1), (?, 501, 700000, 2), (?, 502, 999, 3), (?, 504, 100, 1)"_s,
            {db.finalPayslipOf4, db.finalPayslipOf4, db.finalPayslipOf4, finalOf7});
    db.exec(u"INSERT INTO tblHRMonthlySalaryPosting VALUES (?, 1, 100, 0)"_s, {finalOf7});
    Host host;
    host.connect(db.connectionString());
    ASSERT_TRUE(host.start.summary());
    const MonthSummary &month = *host.start.summary();
    EXPECT_EQ(std::tuple(month.withoutPayslip, month.temporary, month.final, month.unposted, month.netPay),
              std::tuple(2, 2, 2, 1, 4300100));
    EXPECT_EQ(child<QLabel>(&host.start, "monthTitle")->text(), u"ماه حقوق: آذر ۱۴۰۵"_s);
    EXPECT_EQ(child<QLabel>(&host.start, "netPay")->text(), u"۴٬۳۰۰٬۱۰۰"_s);

    host.connect(u"0"_s);
    EXPECT_FALSE(host.start.summary());
    EXPECT_TRUE(child<QLabel>(&host.start, "summaryFailure")->text().contains(u"شماره خطا"_s));
}

INSTANTIATE_TEST_SUITE_P(Backends, StartWindowMonth, ::testing::Values(Backend::Embedded, Backend::PostgreSQL), backendName);

TEST(ConnectionProfiles, AreReadChosenAndRefused)
{
    const QByteArray office = "[office]\nName=دفتر مرکزی\nBackend=PostgreSQL\nServer=/run/postgresql\n"
                              "Database=payroll\nLogin=maryam\nUserID=12\nPositionID=3\n";
    const QByteArray home = "[home]\nName=Home\nBackend=sqlite\nServer=/tmp/p.db\nUserID=1\nPassword=\n";
    const struct {
        const char *name;
        QByteArray system, user;
        QFile::Permissions userMode;
        QStringList names;
        QString problem;
    } cases[] = {
        {"both files", office, home, QFile::ReadOwner | QFile::WriteOwner, {u"دفتر مرکزی"_s, u"Home"_s}, {}},
        {"user's readable by others", office, home, QFile::ReadOwner | QFile::ReadOther, {u"دفتر مرکزی"_s}, u"chmod 600"_s},
        {"missing key", QByteArray(office).replace("Server=", "Servers="), home, QFile::ReadOwner, {u"Home"_s}, u"Server"_s},
        {"password in the system's", office + "Password=x\n", {}, QFile::ReadOwner, {}, u"گذرواژه"_s},
        {"unknown back end", QByteArray(office).replace("PostgreSQL", "Oracle"), {}, QFile::ReadOwner, {}, u"Oracle"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ConnectionProfiles profiles(dir.filePath(u"user.ini"_s), dir.filePath(u"system.ini"_s));
        for (const auto &[file, text] : {std::pair(profiles.systemFile(), c.system), std::pair(profiles.userFile(), c.user)}) {
            QFile out(file);
            if (!text.isEmpty() && out.open(QIODevice::WriteOnly))
                out.write(text);
        }
        QFile::setPermissions(profiles.userFile(), c.userMode);
        profiles.load();
        QStringList names;
        for (const ConnectionProfile &profile : profiles.profiles())
            names << profile.name;
        EXPECT_EQ(names, c.names);
        EXPECT_TRUE(profiles.problems().join(u' ').contains(c.problem)) << qPrintable(profiles.problems().join(u' '));
        EXPECT_EQ(profiles.problems().isEmpty(), c.problem.isEmpty());
    }

    QTemporaryDir dir;
    qputenv("ORUHR_SYSTEM_CONNECTIONS", dir.filePath(u"system.ini"_s).toUtf8());
    ConnectionProfiles profiles(dir.filePath(u"user.ini"_s), ConnectionProfiles::defaultSystemFile());
    qunsetenv("ORUHR_SYSTEM_CONNECTIONS");
    QFile system(profiles.systemFile());
    ASSERT_TRUE(system.open(QIODevice::WriteOnly));
    system.write(office);
    system.close();
    profiles.load();
    EXPECT_EQ(profiles.choose(nullptr).value().connectionString(),
              u"Provider=PostgreSQL;Data Source=/run/postgresql;Initial Catalog=payroll;User ID=maryam"_s);
    ConnectionProfile own = profiles.profiles().first();
    own.id = u"own"_s;
    own.name = u"خانه"_s;
    own.password = u"s3;cret"_s;
    profiles.save(own);
    EXPECT_EQ(QFile::permissions(profiles.userFile()) & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFile::Permissions());
    profiles.load();
    whenModalShown([](QWidget *modal) {
        auto *choice = qobject_cast<QInputDialog *>(modal);
        ASSERT_TRUE(choice);
        choice->setTextValue(choice->comboBoxItems().value(1));
        choice->accept();
    });
    const std::optional<ConnectionProfile> chosen = profiles.choose(nullptr);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->password, u"s3;cret"_s);
    EXPECT_FALSE(chosen->needsPassword());
}

// Both windows reach the control's three methods; a failed call is shown with its number.
TEST(StartWindow, ItsButtonsAndThePropertyEditorsDriveTheThreeMethods)
{
    Host host;
    host.connect(u"0"_s);
    for (QWidget *window : {static_cast<QWidget *>(&host.start), static_cast<QWidget *>(&host.editor)})
        for (const char *method : {"TempSaveMonthlySalary", "ClearShow", "ShowDocs"}) {
            SCOPED_TRACE(method);
            QString shown;
            whenModalShown([&](QWidget *modal) { shown = modal->objectName() + u' ' + modal->property("text").toString(); });
            child<QPushButton>(window, method)->click();
            EXPECT_TRUE(shown.startsWith(u"hostFailure شماره خطا: "_s)) << qPrintable(shown);
        }
}
