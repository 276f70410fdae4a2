#include "host/HostOptions.h"
#include "host/HostWindow.h"
#include "host/StoredForm.h"
#include "shell/OruHRPrintBatch1.h"
#include "shell/PropertyBag.h"
#include "tests/support/ModalWatcher.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace oruhr;
using namespace oruhr::host;
using namespace oruhr::test;

namespace {

std::optional<HostOptions> parse(QStringList arguments, QString *error = nullptr)
{
    QString message;
    arguments.prepend(QStringLiteral("oruhr-host"));
    std::optional<HostOptions> options = HostOptions::parse(arguments, message);
    if (error)
        *error = message;
    return options;
}

} // namespace

TEST(HostOptions, ReadsTheFourValuesAndOneWindow)
{
    const auto options = parse({QStringLiteral("--connection"), QStringLiteral("DSN=payroll"), QStringLiteral("--user"),
                                QStringLiteral("-2"), QStringLiteral("--employee"), QStringLiteral("9"),
                                QStringLiteral("ClearShow")});
    ASSERT_TRUE(options);
    EXPECT_EQ(*options->connection, QStringLiteral("DSN=payroll"));
    EXPECT_EQ(*options->user, -2);
    EXPECT_FALSE(options->position);
    EXPECT_EQ(*options->employee, 9);
    EXPECT_EQ(options->action, HostOptions::Action::ClearShow);
    EXPECT_EQ(parse({})->action, HostOptions::Action::None);
}

TEST(HostOptions, RejectsWhatItCannotUse)
{
    QString error;
    EXPECT_FALSE(parse({QStringLiteral("--user"), QStringLiteral("40000")}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("--user")));
    EXPECT_FALSE(parse({QStringLiteral("print")}, &error));
    EXPECT_FALSE(parse({QStringLiteral("tempsave"), QStringLiteral("showdocs")}, &error));
    EXPECT_FALSE(parse({QStringLiteral("--colour")}, &error));
}

TEST(StoredForm, RoundTripIsPrivateToTheUser)
{
    QTemporaryDir dir;
    const StoredForm form(dir.filePath(QStringLiteral("forms/host.ini")));
    EXPECT_TRUE(form.load().values().isEmpty());

    PropertyBag bag;
    bag.writeProperty(QStringLiteral("OLEConnectionString"),
                      QStringLiteral("Provider=SQLOLEDB;Data Source=db;User ID=sa;Password=secret"), QStringLiteral("0"));
    bag.writeProperty(QStringLiteral("UserID"), 12, 0);
    form.save(bag);
    EXPECT_EQ(QFile::permissions(form.file()) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(form.load().readProperty(QStringLiteral("UserID"), 0).toInt(), 12);
    EXPECT_EQ(form.load().readProperty(QStringLiteral("OLEConnectionString"), QStringLiteral("0")).toString(),
              QStringLiteral("Provider=SQLOLEDB;Data Source=db;User ID=sa;Password=secret"));

    bag.writeProperty(QStringLiteral("UserID"), 0, 0); // back to the default: no longer stored
    form.save(bag);
    EXPECT_FALSE(form.load().values().contains(QStringLiteral("UserID")));
}

TEST(HostWindow, RestoresTheControlAndSavesItOnClose)
{
    QTemporaryDir dir;
    const StoredForm form(dir.filePath(QStringLiteral("host.ini")));
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("PositionID"), 3, 0);
    form.save(bag);

    HostWindow window{form};
    EXPECT_EQ(window.control().PositionID(), 3);
    EXPECT_EQ(child<QSpinBox>(&window, "PositionID")->value(), 3);
    child<QSpinBox>(&window, "UserID")->setValue(77);
    EXPECT_EQ(window.control().UserID(), 77);
    window.close();
    EXPECT_EQ(form.load().readProperty(QStringLiteral("UserID"), 0).toInt(), 77);
}

TEST(HostWindow, AFailedCallIsShownWithItsNumberAndDescription)
{
    QTemporaryDir dir;
    HostWindow window{StoredForm(dir.filePath(QStringLiteral("host.ini")))};
    window.applyOptions({});
    QString shown;
    whenModalShown([&](QWidget *box) {
        EXPECT_EQ(box->objectName(), QStringLiteral("hostFailure"));
        shown = qobject_cast<QMessageBox *>(box)->text();
    });
    child<QPushButton>(&window, "TempSaveMonthlySalary")->click();
    EXPECT_TRUE(shown.contains(QStringLiteral("3706"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("رشته اتصال"))) << shown.toStdString();
}
