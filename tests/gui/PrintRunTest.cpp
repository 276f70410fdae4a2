#include "common/MessageText.h"
#include "payslips/FormMain.h"
#include "payslips/FormPrint.h"
#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/components/ReportEngine.h"
#include "platform/components/SpreadsheetApplication.h"
#include "platform/controls/KeyedListModel.h"
#include "shell/ModMain.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ScopedTempFolder.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SeededPayroll.h"
#include "tests/support/XlsxCells.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace oruhr;
using namespace oruhr::test;

namespace {

// What the report component was given when it was asked to show a report.
struct ShownReport {
    QString fileName;
    QString connectionText;
    QString connectionValue;
    QString filter;
    int outputMode = -1;
    bool windowEnabled = true;
    bool busy = false;
};

struct ReportLog {
    QList<ShownReport> shown;
    int created = 0;
    QWidget *window = nullptr;
    // Runs at each ShowReport; may throw to script a failure.
    std::function<void(const ShownReport &)> onShow;

    QStringList filters() const
    {
        QStringList result;
        for (const ShownReport &report : shown)
            result << report.filter;
        return result;
    }
};

// A scripted report component that records every report it is asked for.
class ReportDouble : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ReportFileName MEMBER fileName)
    Q_PROPERTY(QString ConnectionText MEMBER connectionText)

public:
    explicit ReportDouble(ReportLog &log)
        : m_log(log)
    {
        ++log.created;
    }

    QString fileName;
    QString connectionText;

    Q_INVOKABLE void ConnectionValue(const QVariant &value) { m_connectionValue = value.toString(); }
    Q_INVOKABLE QVariant SetRecordFilter(int index, const QString &filter)
    {
        if (index == 1)
            m_filter = filter;
        return true;
    }
    Q_INVOKABLE void ShowReport(const QVariant &outputMode)
    {
        const ShownReport report{fileName,
                                 connectionText,
                                 m_connectionValue,
                                 m_filter,
                                 outputMode.toInt(),
                                 m_log.window && m_log.window->isEnabled(),
                                 QApplication::overrideCursor() != nullptr};
        m_log.shown << report;
        if (m_log.onShow)
            m_log.onShow(report);
    }

private:
    ReportLog &m_log;
    QString m_connectionValue;
    QString m_filter;
};

class PrintRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01'), (140, ?)"),
                {applicationFolder()});
        QDir().mkpath(app.filePath(QStringLiteral("Reports")));
        for (const char *name : {"payslip.html", "any.html", "ordinance.html"})
            writeFile(app.filePath(QStringLiteral("Reports/") + QLatin1String(name)), "<html></html>");
        // Ten more employees with a final payslip for the month, listed after employee 4.
        for (int i = 1; i <= 10; ++i) {
            const int employee = db.addEmployee(QString::number(100 + i), QStringLiteral("نام%1").arg(i),
                                                QStringLiteral("فاميل%1").arg(i));
            const int ordinance = db.addOrdinance(employee, SeededPayroll::begin(), SeededPayroll::end(), true, {11, 21, 31});
            ten << employee;
            tenPayslips << db.addPayslip(employee, SeededPayroll::begin(), SeededPayroll::end(), true,
                                         i == 10 ? 0 : ordinance);
            tenOrdinances << ordinance;
        }
        ModMain::ActiveConnectionString = db.connectionString();
        ModMain::ConnectDataEnvironment();
        log.window = &form;
    }

    QString applicationFolder() const { return app.path() + QLatin1Char('/'); }

    static void writeFile(const QString &path, const QByteArray &contents)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    void load(bool printMode)
    {
        form.IsPrintMode = printMode;
        form.Form_Load();
    }

    // Ticks the rows of the given employees.
    void tick(const QList<int> &employees)
    {
        for (int row = 0; row < form.employees().rowCount(); ++row) {
            if (employees.contains(form.employees().item(row).key.mid(1).toInt()))
                form.employees().setChecked(row, true);
        }
    }

    // Clicks a print button and confirms the template at the given place in the dialog;
    // returns the dialog's entries.
    QStringList runWith(QPushButton *button, int templateIndex = 0)
    {
        QStringList entries;
        whenModalShown([&entries, templateIndex](QWidget *window) {
            auto *dialog = qobject_cast<FormPrint *>(window);
            ASSERT_NE(dialog, nullptr);
            for (int i = 0; i < dialog->cmbReport->count(); ++i)
                entries << dialog->cmbReport->itemText(i);
            dialog->cmbReport->setCurrentIndex(templateIndex);
            dialog->cmdPrint->click();
        });
        button->click();
        return entries;
    }

    static QString filter(int id) { return QStringLiteral("ID = ") + QString::number(id); }

    SeededPayroll db;
    QTemporaryDir app;
    ScopedTempFolder temp;
    ScriptedMessages messages;
    ReportLog log;
    ScopedComponent report{QString::fromLatin1(ReportEngine::progId), [this] { return std::make_unique<ReportDouble>(log); },
                           QUuid(ReportEngine::classId)};
    QList<int> ten, tenPayslips, tenOrdinances;
    FormMain form;
};

} // namespace

TEST_F(PrintRunTest, EachTickedPayslipIsHandedToTheReportOneByOne)
{
    load(true);
    tick({4, ten[0], ten[1]});
    const QStringList entries = runWith(form.cmdPrint);
    EXPECT_EQ(entries, QStringList({QStringLiteral("فيش ساده"), QStringLiteral("عمومي")}));
    EXPECT_EQ(log.created, 1);
    ASSERT_EQ(log.shown.size(), 3);
    EXPECT_EQ(log.filters(), QStringList({filter(db.finalPayslipOf4), filter(tenPayslips[0]), filter(tenPayslips[1])}));
    for (const ShownReport &shown : log.shown) {
        EXPECT_EQ(shown.fileName, applicationFolder() + QStringLiteral("Reports/payslip.html"));
        EXPECT_EQ(shown.connectionText, db.connectionString());
        EXPECT_EQ(shown.connectionValue, db.connectionString());
        EXPECT_EQ(shown.outputMode, 0);
        EXPECT_FALSE(shown.windowEnabled);
        EXPECT_TRUE(shown.busy);
    }
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form.pgb->isHidden());
    EXPECT_TRUE(form.lblProgress->isHidden());

    log.shown.clear();
    runWith(form.cmdView, 1);
    EXPECT_EQ(log.created, 2); // a new component for each run
    ASSERT_EQ(log.shown.size(), 3);
    EXPECT_EQ(log.shown[0].outputMode, 1);
    EXPECT_EQ(log.shown[0].fileName, applicationFolder() + QStringLiteral("Reports/any.html"));
}

TEST_F(PrintRunTest, TenTickedOfWhichThreeHaveNoPayslipEndAtSeven)
{
    load(true);
    tick(ten);
    // Returned or deleted by someone else since the list was built.
    for (int i : {1, 4, 9})
        db.exec(QStringLiteral("DELETE FROM tblHRMonthlySalary WHERE ID = ?"), {tenPayslips[i]});
    QList<int> progress;
    log.onShow = [&](const ShownReport &) { progress << form.pgb->value(); };
    runWith(form.cmdPrint);
    EXPECT_EQ(form.pgb->minimum(), 0);
    EXPECT_EQ(form.pgb->maximum(), 10);
    EXPECT_EQ(form.pgb->value(), 7);
    EXPECT_EQ(progress, QList<int>({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(form.lblProgress->text(), QStringLiteral("7: نام9 فاميل9"));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(PrintRunTest, OrdinancesAreFilteredByTheOrdinanceOfThePayslip)
{
    load(true);
    form.chkOrdinancePrint->setChecked(true);
    tick({4, ten[0], ten[9]}); // the tenth payslip names no ordinance: nothing to print for him
    const QStringList entries = runWith(form.cmdPrint);
    EXPECT_EQ(entries, QStringList({QStringLiteral("حکم"), QStringLiteral("عمومي")}));
    EXPECT_EQ(log.filters(), QStringList({filter(db.ordinanceOf4), filter(tenOrdinances[0])}));
    EXPECT_EQ(log.shown[0].fileName, applicationFolder() + QStringLiteral("Reports/ordinance.html"));
    EXPECT_EQ(form.pgb->maximum(), 3);
    EXPECT_EQ(form.pgb->value(), 2);
}

TEST_F(PrintRunTest, TheLatestOverlappingPayslipOfTheListedStateIsReported)
{
    // The month split in two: the later half is reported, and only once.
    db.exec(QStringLiteral("UPDATE tblHRMonthlySalary SET EndDate = '2026-12-05' WHERE ID = ?"), {tenPayslips[0]});
    const int laterHalf = db.addPayslip(ten[0], QDate(2026, 12, 6), SeededPayroll::end(), true, tenOrdinances[0]);
    // A temporary payslip of the same days is not a final one.
    db.addPayslip(ten[1], QDate(2026, 12, 6), SeededPayroll::end(), false);
    load(true);
    tick({ten[0], ten[1]});
    runWith(form.cmdPrint);
    EXPECT_EQ(log.filters(), QStringList({filter(laterHalf), filter(tenPayslips[1])}));

    log.shown.clear();
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    runWith(form.cmdPrint);
    EXPECT_EQ(log.filters(), QStringList({filter(db.scalar(QStringLiteral("SELECT ID FROM tblHRMonthlySalary WHERE "
                                                                          "EmployeeID = 2 AND Code IS NULL")).toInt()),
                                          filter(db.temporaryPayslipOf8),
                                          filter(db.scalar(QStringLiteral("SELECT max(ID) FROM tblHRMonthlySalary "
                                                                          "WHERE Code IS NULL")).toInt())}));
}

TEST_F(PrintRunTest, TheTemplatePathIsTakenAsStoredOrUnderTheApplicationFolder)
{
    load(true);
    tick({4});
    const QString elsewhere = temp.dir().filePath(QStringLiteral("central.html"));
    writeFile(elsewhere, "<html></html>");
    db.exec(QStringLiteral("UPDATE tblPelikReportTemplate SET FilePath = ? WHERE ID = 1"), {elsewhere});
    runWith(form.cmdPrint);
    ASSERT_EQ(log.shown.size(), 1);
    EXPECT_EQ(log.shown[0].fileName, elsewhere);

    // Neither as stored nor under the application folder: told with the prefixed path.
    log.shown.clear();
    db.exec(QStringLiteral("UPDATE tblPelikReportTemplate SET FilePath = 'Reports/gone.html' WHERE ID = 1"));
    runWith(form.cmdPrint);
    EXPECT_EQ(messages.texts(),
              QStringList({MessageText::TitleProblem + QStringLiteral(": ")
                           + QStringLiteral("فايل چاپي در مسير مورد نظر «") + applicationFolder()
                           + QStringLiteral("Reports/gone.html» وجود ندارد.")}));
    EXPECT_EQ(log.created, 1); // the second run stopped before making one
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(PrintRunTest, RunsThatEndEarly)
{
    load(true);
    // No row ticked.
    runWith(form.cmdPrint);
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::NoEmployeeChecked}));
    EXPECT_EQ(log.created, 0);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // No template of the form type: the dialog is not shown and nothing is said.
    messages.clear();
    tick({4});
    db.exec(QStringLiteral("DELETE FROM tblPelikReportTemplate WHERE FormTypeID IN (1402, 1406)"));
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a dialog was shown";
            modal->close();
        }
    });
    guard.start(3000);
    form.cmdPrint->click();
    guard.stop();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(log.created, 0);

    // The dialog closed with its close box.
    db.exec(QStringLiteral("INSERT INTO tblPelikReportTemplate (ID, Title, FilePath, FormTypeID) VALUES "
                           "(1, 'فيش ساده', 'Reports/payslip.html', 1402)"));
    whenModalShown([](QWidget *window) { window->close(); });
    form.cmdPrint->click();
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(log.created, 0);
}

TEST_F(PrintRunTest, AnUnreadableTemplateIsCopiedAndTheEmployeeTriedAgain)
{
    load(true);
    tick({4, ten[0]});
    const QString original = applicationFolder() + QStringLiteral("Reports/payslip.html");
    log.onShow = [&](const ShownReport &shown) {
        if (shown.fileName == original)
            throw ComponentError(ComponentError::ReportFileCannotBeOpened, QStringLiteral("Access to report file denied"));
    };
    runWith(form.cmdPrint);
    ASSERT_EQ(log.shown.size(), 4);
    EXPECT_EQ(log.filters(), QStringList({filter(db.finalPayslipOf4), filter(db.finalPayslipOf4),
                                          filter(tenPayslips[0]), filter(tenPayslips[0])}));
    EXPECT_EQ(log.shown[0].fileName, original);
    EXPECT_EQ(log.shown[2].fileName, original); // the next employee starts from the template again
    const QFileInfo firstCopy(log.shown[1].fileName), secondCopy(log.shown[3].fileName);
    EXPECT_EQ(firstCopy.suffix(), QStringLiteral("rpt"));
    EXPECT_EQ(firstCopy.absolutePath(), secondCopy.absolutePath()); // one dated folder for the run
    EXPECT_NE(firstCopy.filePath(), secondCopy.filePath());
    EXPECT_EQ(QFileInfo(firstCopy.absolutePath()).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    QFile copy(firstCopy.filePath());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("<html></html>"));
    EXPECT_EQ(log.shown[1].connectionValue, QString());
    EXPECT_EQ(log.shown[2].connectionValue, db.connectionString());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(PrintRunTest, OtherFailuresAreToldPerEmployeeAndTheRunGoesOn)
{
    load(true);
    tick({4, ten[0], ten[1]});
    log.onShow = [&](const ShownReport &shown) {
        if (shown.filter == filter(db.finalPayslipOf4))
            throw ComponentError(20599, QStringLiteral("Cannot open SQL server"));
        if (shown.filter == filter(tenPayslips[0]))
            db.exec(QStringLiteral("DROP TABLE tblHRMonthlySalary")); // the next employee's query fails
    };
    runWith(form.cmdPrint);
    EXPECT_EQ(log.shown.size(), 2);
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("خطا 20599"));
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Cannot open SQL server"));
    // The failed query of the last employee is told once the run has ended.
    EXPECT_EQ(messages.shown()[1].title, MessageText::errorTitle(ComponentError::CommandFailed));
    EXPECT_TRUE(messages.shown()[1].text.contains(QStringLiteral("tblHRMonthlySalary")));
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintRunTest, AFailureBeforeTheFirstReportEndsTheRun)
{
    load(true);
    tick({4, ten[0]});
    db.exec(QStringLiteral("DROP TABLE tblHRMonthlySalary"));
    runWith(form.cmdPrint);
    EXPECT_TRUE(log.shown.isEmpty());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("tblHRMonthlySalary")));
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(form.pgb->isHidden());
}

TEST_F(PrintRunTest, ARunClearsThisYearsDatedFoldersOfEarlierRuns)
{
    const QString year = QString::number(QDate::currentDate().year());
    const QString lastYear = QString::number(QDate::currentDate().year() - 1);
    temp.dir().mkpath(year + QStringLiteral("1231235959"));
    temp.dir().mkpath(lastYear + QStringLiteral("1231235959"));
    load(true);
    runWith(form.cmdPrint); // with no row ticked: the clean-up comes first
    EXPECT_FALSE(temp.dir().exists(year + QStringLiteral("1231235959")));
    EXPECT_TRUE(temp.dir().exists(lastYear + QStringLiteral("1231235959")));
}

TEST_F(PrintRunTest, CtrlPPrintsAndCtrlVViewsInEitherCaseAndMode)
{
    load(true);
    form.show();
    tick({4});
    const auto press = [&](char key, Qt::KeyboardModifiers modifiers) {
        whenModalShown([](QWidget *window) { qobject_cast<FormPrint *>(window)->cmdPrint->click(); });
        QTest::keyClick(&form, key, modifiers);
    };
    press('p', Qt::ControlModifier);
    press('P', Qt::ControlModifier | Qt::ShiftModifier);
    press('v', Qt::ControlModifier);
    press('V', Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(log.shown.size(), 4);
    EXPECT_EQ(log.shown[0].outputMode, 0);
    EXPECT_EQ(log.shown[1].outputMode, 0);
    EXPECT_EQ(log.shown[2].outputMode, 1);
    EXPECT_EQ(log.shown[3].outputMode, 1);
    QTest::keyClick(&form, 'p'); // without Ctrl nothing happens
    EXPECT_EQ(log.created, 4);

    // In registration mode the print frame is hidden, yet the keys work; employees without a
    // payslip have nothing to report, so not even a template is asked for.
    load(false);
    form.cmdSelect->click();
    QTest::keyClick(&form, 'p', Qt::ControlModifier);
    EXPECT_EQ(log.created, 4);
    EXPECT_EQ(log.shown.size(), 4);
    EXPECT_TRUE(messages.shown().isEmpty());
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    press('v', Qt::ControlModifier);
    EXPECT_EQ(log.created, 5);
    form.hide();
}

TEST_F(PrintRunTest, TheRealReportComponentPrintsAndViewsTheShippedTemplates)
{
    ScopedComponent real(QString::fromLatin1(ReportEngine::progId), [] { return std::make_unique<ReportEngine>(); },
                         QUuid(ReportEngine::classId));
    for (const char *name : {"payslip.html", "ordinance.html"}) {
        QFile::remove(app.filePath(QStringLiteral("Reports/") + QLatin1String(name)));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORUHR_TEMPLATE_DIR "/") + QLatin1String(name),
                                app.filePath(QStringLiteral("Reports/") + QLatin1String(name))));
    }
    const QString pdfs = temp.dir().filePath(QStringLiteral("pdf"));
    qputenv("ORUHR_REPORT_PRINTER", "pdf");
    qputenv("ORUHR_REPORT_PDF_FOLDER", pdfs.toLocal8Bit());
    const auto restoreEnvironment = qScopeGuard([] {
        qunsetenv("ORUHR_REPORT_PRINTER");
        qunsetenv("ORUHR_REPORT_PDF_FOLDER");
    });
    load(true);
    tick({4, ten[0], ten[1]});
    runWith(form.cmdPrint);
    EXPECT_EQ(QDir(pdfs).entryList({QStringLiteral("*.pdf")}).size(), 3);
    // Printed to files, not on paper: the clerk is told where they are.
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.contains(QDir(pdfs).absolutePath())) << qPrintable(messages.texts()[0]);
    messages.clear();

    form.chkOrdinancePrint->setChecked(true);
    form.cmdDeselect->click();
    tick({ten[2]});
    int previews = 0;
    whenModalShown([&](QWidget *window) {
        whenModalShown([&](QWidget *preview) { previews += qobject_cast<QPrintPreviewDialog *>(preview) ? 1 : 0; });
        qobject_cast<FormPrint *>(window)->cmdPrint->click();
    });
    form.cmdView->click();
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(messages.shown().isEmpty()) << qPrintable(messages.texts().join(u'\n'));
}

class ListExportTest : public PrintRunTest {
protected:
    void SetUp() override
    {
        PrintRunTest::SetUp();
        previous = SpreadsheetApplication::opener();
        SpreadsheetApplication::setOpener([this](const QString &file) {
            opened << file;
            return opens;
        });
        // A code with leading zeros stays text; markup in a name is kept as typed.
        db.exec(QStringLiteral("UPDATE tblEmployee SET Code = '007', SureName = 'نوري <&>' WHERE ID = 3"));
    }
    void TearDown() override { SpreadsheetApplication::setOpener(previous); }

    ScopedComponent spreadsheet{QString::fromLatin1(SpreadsheetApplication::progId),
                                [] { return std::make_unique<SpreadsheetApplication>(); }};
    SpreadsheetApplication::Opener previous;
    QStringList opened;
    bool opens = true;
};

TEST_F(ListExportTest, ThreeRowsFillA1ToC3AndNothingElse)
{
    load(false);
    ASSERT_EQ(form.employees().rowCount(), 3);
    form.cmdViewPrint->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(readXlsxCells(opened[0]),
              (QMap<QString, QString>{{QStringLiteral("A1"), QStringLiteral("3")},
                                      {QStringLiteral("B1"), QStringLiteral("علي")},
                                      {QStringLiteral("C1"), QStringLiteral("احمدي")},
                                      {QStringLiteral("A2"), QStringLiteral("007")},
                                      {QStringLiteral("B2"), QStringLiteral("حسن")},
                                      {QStringLiteral("C2"), QStringLiteral("نوري <&>")},
                                      {QStringLiteral("A3"), QStringLiteral("12")},
                                      {QStringLiteral("B3"), QStringLiteral("امير")},
                                      {QStringLiteral("C3"), QStringLiteral("موسوي")}}));
    EXPECT_EQ(QFileInfo(opened[0]).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    EXPECT_TRUE(form.cmdViewPrint->isEnabled());
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ListExportTest, AFailureIsToldAndTheButtonWorksAgain)
{
    load(true);
    opens = false;
    form.cmdViewPrint->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("اشکال در انتقال به اکسل"));
    EXPECT_TRUE(messages.shown()[0].text.contains(opened.value(0)));
    EXPECT_TRUE(form.cmdViewPrint->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // No spreadsheet application at all.
    messages.clear();
    ComponentRegistry::instance().unregisterComponent(QString::fromLatin1(SpreadsheetApplication::progId));
    form.cmdViewPrint->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("اشکال در انتقال به اکسل"));
    EXPECT_TRUE(form.cmdViewPrint->isEnabled());
}

#include "PrintRunTest.moc"
