#include "host/HostOptions.h"
#include "host/HostWindow.h"
#include "host/StoredForm.h"
#include "shell/OruHRPrintBatch1.h"
#include "shell/PropertyBag.h"
#include "tests/support/TestKit.h"

using namespace oruhr;
using namespace oruhr::host;
using namespace oruhr::test;

TEST(StoredForm, RoundTripIsPrivateToTheUserAndTheWindowSavesItOnClose)
{
    QTemporaryDir dir;
    const StoredForm form(dir.filePath(QStringLiteral("forms/host.ini")));
    EXPECT_TRUE(form.load().values().isEmpty());
    const QString connection = QStringLiteral("Provider=SQLOLEDB;Data Source=db;User ID=sa;Password=secret");
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("OLEConnectionString"), connection, QStringLiteral("0"));
    bag.writeProperty(QStringLiteral("PositionID"), 3, 0);
    form.save(bag);
    EXPECT_EQ(QFile::permissions(form.file()) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(form.load().readProperty(QStringLiteral("OLEConnectionString"), QStringLiteral("0")).toString(), connection);

    HostWindow window{form};
    EXPECT_EQ(window.control().PositionID(), 3);
    EXPECT_EQ(child<QSpinBox>(&window, "PositionID")->value(), 3);
    child<QSpinBox>(&window, "UserID")->setValue(77);
    child<QSpinBox>(&window, "PositionID")->setValue(0); // back to the default: no longer stored
    EXPECT_EQ(window.control().UserID(), 77);
    window.close();
    EXPECT_EQ(form.load().readProperty(QStringLiteral("UserID"), 0).toInt(), 77);
    EXPECT_FALSE(form.load().values().contains(QStringLiteral("PositionID")));
}

TEST(HostWindow, TheDemoStandsInOnlyWhenNoFormIsStoredAndNoConnectionIsGivenAndBadOptionsAreRefused)
{
    QString error;
    EXPECT_FALSE(HostOptions::parse({"oruhr-host", "--user", "40000"}, error));
    EXPECT_TRUE(error.contains(QStringLiteral("--user")));
    const auto given = HostOptions::parse({"oruhr-host", "--connection", "0"}, error);
    ASSERT_TRUE(given);
    QTemporaryDir dir;
    const StoredForm form(dir.filePath(QStringLiteral("host.ini")));
    EXPECT_TRUE(HostWindow{form}.needsDemoDatabase({}));
    EXPECT_FALSE(HostWindow{form}.needsDemoDatabase(*given));
    form.save(PropertyBag());
    EXPECT_FALSE(HostWindow{form}.needsDemoDatabase({}));
}

TEST(HostWindow, ThePasswordIsShownMaskedAndWhenNotKeptIsAskedForAtStart)
{
    QTemporaryDir dir;
    const StoredForm form(dir.filePath(QStringLiteral("host.ini")));
    const QString connection = QStringLiteral("Provider=SQLOLEDB;Data Source=db;User ID=sa;Password=secret");
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("OLEConnectionString"), connection, QStringLiteral("0"));
    form.save(bag);
    {
        HostWindow window{form};
        auto *field = child<QLineEdit>(&window, "OLEConnectionString");
        EXPECT_EQ(field->text(), "Provider=SQLOLEDB;Data Source=db;User ID=sa;Password=******");
        Q_EMIT field->editingFinished();
        EXPECT_EQ(window.control().OLEConnectionString(), connection);
        child<QCheckBox>(&window, "keepPassword")->setChecked(false);
        window.close();
    }
    EXPECT_EQ(form.load().readProperty(QStringLiteral("OLEConnectionString"), QStringLiteral("0")).toString(),
              "Provider=SQLOLEDB;Data Source=db;User ID=sa");
    HostWindow window{form};
    EXPECT_FALSE(child<QCheckBox>(&window, "keepPassword")->isChecked());
    whenModalShown([](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->textEchoMode(), QLineEdit::Password);
        dialog->setTextValue(QStringLiteral("s3;cret"));
        dialog->accept();
    });
    window.askForPassword();
    EXPECT_EQ(window.control().OLEConnectionString(), "Provider=SQLOLEDB;Data Source=db;User ID=sa;Password='s3;cret'");
}

TEST(HostOptions, TheConnectionComesFromAFileOnlyItsOwnerCanReadOrFromTheEnvironment)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("connection")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Provider=PostgreSQL;Data Source=db;Initial Catalog=o;Password=p\nsecond line\n");
    file.close();
    const QString path = file.fileName();
    QString error;
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_FALSE(HostOptions::parse({"oruhr-host", "--connection-file", path}, error));
    EXPECT_TRUE(error.contains(QStringLiteral("chmod 600"))) << error.toStdString();
    EXPECT_FALSE(HostOptions::parse({"oruhr-host", "--connection", "0", "--connection-file", path}, error));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);

    qputenv("ORUHR_CONNECTION", "Provider=SQLite;Data Source=env.db");
    const std::pair<QStringList, QString> sources[] = {
        {{"oruhr-host", "--connection-file", path}, "Provider=PostgreSQL;Data Source=db;Initial Catalog=o;Password=p"},
        {{"oruhr-host", "--connection", "0"}, "0"},
        {{"oruhr-host"}, "Provider=SQLite;Data Source=env.db"},
    };
    for (const auto &[arguments, connection] : sources)
        EXPECT_EQ(HostOptions::parse(arguments, error).value_or(HostOptions()).connection, connection) << error.toStdString();
    qunsetenv("ORUHR_CONNECTION");
}
