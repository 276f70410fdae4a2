#include "payslips/FormPrint.h"
#include "platform/components/ReportEngine.h"
#include "platform/components/SpreadsheetApplication.h"
#include "tests/gui/WindowTestKit.h"

#include <sys/stat.h>

using namespace oruhr;
using namespace oruhr::test;
using namespace Qt::StringLiterals;

namespace {

// The filled cells of an .xlsx file's first worksheet, by reference ("A1") to their text,
// read back from the file itself (a zip archive). The export writes every text into its cell.
QMap<QString, QString> readXlsxCells(const QString &file)
{
    QMap<QString, QString> cells;
    static const QRegularExpression cell(QStringLiteral("<c r=\"(\\w+)\"[^>/]*>(.*?)</c>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch &match : cell.globalMatch(QString::fromUtf8(outputOf(u"unzip"_s, {u"-p"_s, file, u"xl/worksheets/sheet1.xml"_s})))) {
        QXmlStreamReader content(u"<c>"_s + match.captured(2) + u"</c>"_s);
        content.readNextStartElement();
        cells.insert(match.captured(1), content.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    return cells;
}

// What the report component was given when it was asked to show a report.
struct ShownReport {
    QString fileName, connectionText, connectionValue, filter;
    int outputMode = -1;
    bool windowEnabled = true, busy = false;
};

struct ReportLog {
    QList<ShownReport> shown;
    int created = 0;
    QWidget *window = nullptr;
    QString outputFile; // where a printed report went when there was no printer
    std::function<void(const ShownReport &)> onShow; // may throw to script a failure

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
    Q_PROPERTY(QString ReportFileName MEMBER m_fileName)
    Q_PROPERTY(QString ConnectionText MEMBER m_connectionText)
    Q_PROPERTY(QString LastOutputFile READ lastOutputFile)

public:
    explicit ReportDouble(ReportLog &log) : m_log(log) { ++log.created; }
    QString lastOutputFile() const { return m_log.outputFile; }
    Q_INVOKABLE void ConnectionValue(const QVariant &value) { m_connectionValue = value.toString(); }
    Q_INVOKABLE QVariant SetRecordFilter(int index, const QString &filter)
    {
        m_filter = index == 1 ? filter : m_filter;
        return true;
    }
    Q_INVOKABLE void ShowReport(const QVariant &outputMode)
    {
        m_log.shown << ShownReport{m_fileName, m_connectionText, m_connectionValue, m_filter, outputMode.toInt(),
                                   m_log.window && m_log.window->isEnabled(), QApplication::overrideCursor() != nullptr};
        if (m_log.onShow)
            m_log.onShow(m_log.shown.last());
    }

private:
    ReportLog &m_log;
    QString m_fileName, m_connectionText, m_connectionValue, m_filter;
};

QString filter(int id) { return u"ID = "_s + QString::number(id); }

class PrintRunTest : public WindowTest<FormMain> {
protected:
    void SetUp() override
    {
        db.exec(u"INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (140, ?)"_s, {applicationFolder()});
        QDir().mkpath(app.filePath(u"Reports"_s));
        for (const char *name : {"payslip.html", "any.html", "ordinance.html"})
            writeFile(reportPath(name), "<html></html>");
        // Ten more employees with a final payslip for the month, listed after employee 4;
        // the tenth payslip names no ordinance.
        for (int i = 1; i <= 10; ++i) {
            const auto hired = db.hire(SeededPayroll::begin(), SeededPayroll::end());
            ten << hired.employee;
            tenOrdinances << hired.ordinance;
            tenPayslips << db.addPayslip(hired.employee, SeededPayroll::begin(), SeededPayroll::end(), true,
                                         i == 10 ? 0 : hired.ordinance);
        }
        log.window = &form;
    }

    QString applicationFolder() const { return app.path() + QLatin1Char('/'); }
    QString reportPath(const char *name) const { return applicationFolder() + u"Reports/"_s + QLatin1String(name); }

    static void writeFile(const QString &path, const QByteArray &contents)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    void tick(const QList<int> &employees)
    {
        for (int row = 0; row < form.employees().rowCount(); ++row)
            if (employees.contains(form.employees().item(row).key.mid(1).toInt()))
                form.employees().setChecked(row, true);
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

    QTemporaryDir app;
    ScopedTempFolder temp;
    ReportLog log;
    ScopedComponent report{session.components(), QString::fromLatin1(ReportEngine::progId), [this] { return std::make_unique<ReportDouble>(log); },
                           QUuid(ReportEngine::classId)};
    QList<int> ten, tenPayslips, tenOrdinances;
};

} // namespace

TEST_F(PrintRunTest, EachTickedPayslipIsHandedToTheReportOneByOne)
{
    load(true);
    tick({4, ten[0], ten[1]});
    EXPECT_EQ(runWith(form.cmdPrint), QStringList({u"فيش ساده"_s, u"عمومي"_s}));
    EXPECT_EQ(log.created, 1);
    EXPECT_EQ(log.filters(), QStringList({filter(db.finalPayslipOf4), filter(tenPayslips[0]), filter(tenPayslips[1])}));
    for (const ShownReport &shown : log.shown) {
        EXPECT_EQ(shown.fileName, reportPath("payslip.html"));
        EXPECT_EQ(shown.connectionText, db.connectionString());
        EXPECT_EQ(shown.connectionValue, db.connectionString());
        EXPECT_EQ(shown.outputMode, 0);
        EXPECT_FALSE(shown.windowEnabled);
        EXPECT_TRUE(shown.busy);
    }
    EXPECT_TRUE(messages.shown().isEmpty());

    log.shown.clear();
    log.outputFile = u"/srv/reports/run7/rad00001.pdf"_s; // no printer: written to files
    runWith(form.cmdView, 1);
    EXPECT_EQ(log.created, 2); // a new component for each run
    ASSERT_EQ(log.shown.size(), 3);
    EXPECT_EQ(log.shown[0].outputMode, 1);
    EXPECT_EQ(log.shown[0].fileName, reportPath("any.html"));
    EXPECT_TRUE(messages.shown().isEmpty()); // viewed, nothing went to files

    runWith(form.cmdPrint);
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].text, u"چاپگري تعريف نشده است؛ گزارش‌ها در پوشه «\u2066/srv/reports/run7\u2069» ذخيره شد."_s);
}

TEST_F(PrintRunTest, TenTickedOfWhichThreeHaveNoPayslipEndAtSeven)
{
    load(true);
    tick(ten);
    // Returned or deleted by someone else since the list was built.
    for (int i : {1, 4, 9})
        db.exec(u"DELETE FROM tblHRMonthlySalary WHERE ID = ?"_s, {tenPayslips[i]});
    QList<int> progress;
    log.onShow = [&](const ShownReport &) { progress << form.pgb->value(); };
    runWith(form.cmdPrint);
    EXPECT_EQ(form.pgb->maximum(), 10);
    EXPECT_EQ(form.pgb->value(), 7);
    EXPECT_EQ(progress, QList<int>({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(form.lblProgress->text(), u"7: نام9 فاميل9"_s);
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(PrintRunTest, OrdinancesAreFilteredByTheOrdinanceOfThePayslip)
{
    load(true);
    form.chkOrdinancePrint->setChecked(true);
    tick({4, ten[0], ten[9]}); // the tenth payslip names no ordinance: nothing to print for him
    EXPECT_EQ(runWith(form.cmdPrint), QStringList({u"حکم"_s, u"عمومي"_s}));
    EXPECT_EQ(log.filters(), QStringList({filter(db.ordinanceOf4), filter(tenOrdinances[0])}));
    EXPECT_EQ(log.shown[0].fileName, reportPath("ordinance.html"));
}

TEST_F(PrintRunTest, TheLatestOverlappingPayslipOfTheListedStateIsReported)
{
    // The month split in two: the later half is reported, and only once.
    db.exec(u"UPDATE tblHRMonthlySalary SET EndDate = '2026-12-05' WHERE ID = ?"_s, {tenPayslips[0]});
    const int laterHalf = db.addPayslip(ten[0], QDate(2026, 12, 6), SeededPayroll::end(), true, tenOrdinances[0]);
    // A temporary payslip of the same days is not a final one.
    const int temporary = db.addPayslip(ten[1], QDate(2026, 12, 6), SeededPayroll::end(), false);
    load(true);
    tick({ten[0], ten[1]});
    runWith(form.cmdPrint);
    EXPECT_EQ(log.filters(), QStringList({filter(laterHalf), filter(tenPayslips[1])}));

    log.shown.clear();
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    runWith(form.cmdPrint);
    const int temporaryOf2 =
        db.scalar(u"SELECT ID FROM tblHRMonthlySalary WHERE EmployeeID = 2 AND Code IS NULL"_s).toInt();
    EXPECT_EQ(log.filters(), QStringList({filter(temporaryOf2), filter(db.temporaryPayslipOf8), filter(temporary)}));
}

TEST_F(PrintRunTest, TheTemplatePathIsTakenAsStoredOrUnderTheApplicationFolder)
{
    load(true);
    tick({4});
    const QString elsewhere = temp.dir().filePath(u"central.html"_s);
    writeFile(elsewhere, "<html></html>");
    db.exec(u"UPDATE tblPelikReportTemplate SET FilePath = ? WHERE ID = 1"_s, {elsewhere});
    runWith(form.cmdPrint);
    ASSERT_EQ(log.shown.size(), 1);
    EXPECT_EQ(log.shown[0].fileName, elsewhere);

    // Neither as stored nor under the application folder: told with the prefixed path.
    db.exec(u"UPDATE tblPelikReportTemplate SET FilePath = 'Reports/gone.html' WHERE ID = 1"_s);
    runWith(form.cmdPrint);
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + u": "_s
                                             + u"فايل چاپي در مسير مورد نظر «"_s + reportPath("gone.html")
                                             + u"» وجود ندارد."_s}));
    EXPECT_EQ(log.created, 1); // the second run stopped before making one
    expectIdle(form);
}

TEST_F(PrintRunTest, RunsThatEndEarly)
{
    const QString thisYear = QString::number(QDate::currentDate().year()) + u"1231235959"_s;
    const QString lastYear = QString::number(QDate::currentDate().year() - 1) + u"1231235959"_s;
    temp.dir().mkpath(thisYear);
    temp.dir().mkpath(lastYear);
    load(true);
    runWith(form.cmdPrint);
    EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::NoEmployeeChecked)}));
    EXPECT_TRUE(messages.shown()[0].busy); // told under the hourglass, reset after
    expectIdle(form);
    // Even with no row ticked the run first clears this year's dated folders of earlier runs.
    EXPECT_FALSE(temp.dir().exists(thisYear));
    EXPECT_TRUE(temp.dir().exists(lastYear));

    // No template of the form type: the dialog is not shown and nothing is said.
    messages.clear();
    tick({4});
    db.exec(u"DELETE FROM tblPelikReportTemplate WHERE FormTypeID IN (1402, 1406)"_s);
    {
        NoModalExpected noDialog;
        form.cmdPrint->click();
        EXPECT_EQ(noDialog.shown, 0);
    }
    EXPECT_TRUE(messages.shown().isEmpty());

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
    const QString original = reportPath("payslip.html");
    log.onShow = [&](const ShownReport &shown) {
        if (shown.fileName == original)
            throw ComponentError(ComponentError::ReportFileCannotBeOpened, u"Access to report file denied"_s);
    };
    runWith(form.cmdPrint);
    EXPECT_EQ(log.filters(), QStringList({filter(db.finalPayslipOf4), filter(db.finalPayslipOf4),
                                          filter(tenPayslips[0]), filter(tenPayslips[0])}));
    ASSERT_EQ(log.shown.size(), 4);
    EXPECT_EQ(log.shown[2].fileName, original); // the next employee starts from the template again
    const QFileInfo firstCopy(log.shown[1].fileName), secondCopy(log.shown[3].fileName);
    EXPECT_EQ(firstCopy.suffix(), u"rpt"_s);
    EXPECT_EQ(firstCopy.absolutePath(), secondCopy.absolutePath()); // one dated folder for the run
    EXPECT_NE(firstCopy.filePath(), secondCopy.filePath());
    EXPECT_EQ(QFileInfo(firstCopy.absolutePath()).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    struct stat status {};
    EXPECT_TRUE(::stat(QFile::encodeName(firstCopy.filePath()).constData(), &status) == 0
                && (status.st_mode & 0777) == 0600); // the user's alone, whatever the template's mode
    QFile copy(firstCopy.filePath());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("<html></html>"));
    EXPECT_EQ(log.shown[1].connectionValue, QString());
    EXPECT_EQ(log.shown[2].connectionValue, db.connectionString());
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(PrintRunTest, FailuresAreToldPerEmployeeOrEndARunBeforeItsFirstReport)
{
    load(true);
    tick({4, ten[0], ten[1]});
    log.onShow = [&](const ShownReport &shown) {
        if (shown.filter == filter(db.finalPayslipOf4))
            throw ComponentError(20599, u"Cannot open SQL server"_s);
        if (shown.filter == filter(tenPayslips[0]))
            db.exec(u"DROP TABLE tblHRMonthlySalary"_s); // the next employee's query fails
    };
    runWith(form.cmdPrint);
    EXPECT_EQ(log.shown.size(), 2);
    ASSERT_EQ(messages.shown().size(), 2);
    EXPECT_EQ(messages.shown()[0].title, u"خطا 20599"_s);
    EXPECT_EQ(messages.shown()[0].text, u"Cannot open SQL server"_s);
    // The failed query of the last employee is told once the run has ended.
    EXPECT_EQ(messages.shown()[1].title, MessageText::errorTitle(ComponentError::CommandFailed));
    EXPECT_TRUE(messages.shown()[1].text.contains(u"tblHRMonthlySalary"_s));
    expectIdle(form);

    messages.clear();
    log.shown.clear();
    runWith(form.cmdPrint); // the table is gone: the first employee's query fails
    EXPECT_TRUE(log.shown.isEmpty());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.contains(u"tblHRMonthlySalary"_s));
    EXPECT_TRUE(form.pgb->isHidden());
    expectIdle(form);
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
    EXPECT_EQ(QList<int>({log.shown[0].outputMode, log.shown[1].outputMode, log.shown[2].outputMode,
                          log.shown[3].outputMode}), QList<int>({0, 0, 1, 1}));
    QTest::keyClick(&form, 'p'); // without Ctrl nothing happens
    EXPECT_EQ(log.created, 4);

    // In registration mode the keys work too; employees without a payslip have nothing to
    // report, and the clerk is told so.
    load(false);
    form.cmdSelect->click();
    press('p', Qt::ControlModifier);
    EXPECT_EQ(log.shown.size(), 4);
    EXPECT_EQ(messages.texts(), QStringList({problem(u"کارمندان انتخاب شده فيش حقوقي ندارند؛ گزارشي چاپ نشد."_s)}));
    form.optTempSaveEmployee->click();
    form.cmdSelect->click();
    press('v', Qt::ControlModifier);
    EXPECT_EQ(log.created, 6);
    form.hide();
}

TEST_F(PrintRunTest, TheListExportFillsA1ToC3OrTellsItsFailure)
{
    ScopedComponent spreadsheet(session.components(), QString::fromLatin1(SpreadsheetApplication::progId),
                                [] { return std::make_unique<SpreadsheetApplication>(); });
    const auto previous = SpreadsheetApplication::opener();
    const auto restoreOpener = qScopeGuard([&] { SpreadsheetApplication::setOpener(previous); });
    QStringList opened;
    bool opens = true;
    SpreadsheetApplication::setOpener([&](const QString &file) {
        opened << file;
        return opens;
    });
    // A code with leading zeros stays text; markup in a name is kept as typed.
    db.exec(u"UPDATE tblEmployee SET Code = '007', SureName = 'نوري <&>' WHERE ID = 3"_s);
    load(false);
    form.cmdViewPrint->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(readXlsxCells(opened[0]), (QMap<QString, QString>{{"A1", "3"},
                                      {"B1", u"علي"_s},
                                      {"C1", u"احمدي"_s},
                                      {"A2", "007"},
                                      {"B2", u"حسن"_s},
                                      {"C2", u"نوري <&>"_s},
                                      {"A3", "12"},
                                      {"B3", u"امير"_s},
                                      {"C3", u"موسوي"_s}}));
    EXPECT_EQ(QFileInfo(opened[0]).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    EXPECT_TRUE(messages.shown().isEmpty());

    opens = false;
    form.cmdViewPrint->click();
    session.components().unregisterComponent(QString::fromLatin1(SpreadsheetApplication::progId));
    form.cmdViewPrint->click(); // no spreadsheet application at all
    ASSERT_EQ(messages.shown().size(), 2);
    for (const auto &shown : messages.shown())
        EXPECT_EQ(shown.title, u"اشکال در انتقال به اکسل"_s);
    EXPECT_TRUE(messages.shown()[0].text.contains(opened.value(1)));
    EXPECT_TRUE(form.cmdViewPrint->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintRunTest, ThePdfNoticeNamesOnlyWhatThisRunWrote)
{
    load(true);
    tick({4, ten[0]});
    log.outputFile = u"/tmp/look/pdfs/rad00001.pdf"_s;
    log.onShow = [&](const ShownReport &shown) {
        if (shown.filter == filter(tenPayslips[0])) {
            log.outputFile.clear();
            throw ComponentError(20599, u"Printer jammed"_s);
        }
    };
    runWith(form.cmdPrint);
    EXPECT_EQ(messages.texts().value(1),
              problem(u"چاپگري تعريف نشده است؛ گزارش‌ها در پوشه «\u2066/tmp/look/pdfs\u2069» ذخيره شد."_s));

    messages.clear();
    log.outputFile = u"/tmp/look/pdfs/rad00002.pdf"_s;
    form.cmdDeselect->click();
    runWith(form.cmdPrint);
    EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::NoEmployeeChecked)}));
    expectIdle(form);
}

#include "PrintRunTest.moc"
