#include "common/MessageText.h"
#include "documents/FormCheckDocs.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/KeyedListModel.h"
#include "platform/controls/KeyedListView.h"
#include "platform/controls/PelikDate.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"
#include "shell/OruHRPrintBatch1.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SeededPayroll.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSqlDriver>

#include <sqlite3.h>

#include <cstring>

using namespace oruhr;
using namespace oruhr::test;

namespace {

const QString ordinanceKind = QStringLiteral("1022007");
const QString loanKind = QStringLiteral("1022009");
const QString fundKind = QStringLiteral("1022021");
const QString adjustmentKind = QStringLiteral("1022041");

// Records the statements that the window's own connection runs, as SQLite prepares them.
class StatementTrace {
public:
    StatementTrace()
    {
        const QVariant handle = DtEn::instance().connection().database().driver()->handle();
        m_handle = *static_cast<sqlite3 *const *>(handle.constData());
        sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT, &StatementTrace::onStatement, this);
    }
    ~StatementTrace() { sqlite3_trace_v2(m_handle, 0, nullptr, nullptr); }

    QStringList updates() const
    {
        QStringList result;
        for (const QString &statement : m_statements)
            if (statement.startsWith(QLatin1String("Update"), Qt::CaseInsensitive))
                result << statement;
        return result;
    }

private:
    static int onStatement(unsigned, void *context, void *, void *text)
    {
        const char *sql = static_cast<const char *>(text);
        if (sql && std::strncmp(sql, "--", 2) != 0) // not a trigger's own step
            static_cast<StatementTrace *>(context)->m_statements << QString::fromUtf8(sql);
        return 0;
    }

    sqlite3 *m_handle = nullptr;
    QStringList m_statements;
};

class FormCheckDocsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01')"));
        ModMain::ActiveConnectionString = db.connectionString();
        ModMain::ConnectDataEnvironment();
    }

    // A document of a table other than the ordinances; returns its ID.
    int addDocument(const QString &table, const QVariant &code, QDate begin, QDate end, const QVariant &id = {})
    {
        db.exec(QStringLiteral("INSERT INTO %1 (ID, Code, BeginDate, EndDate, FarsiBeginDate, FarsiEndDate) "
                               "VALUES (?, ?, ?, ?, ?, ?)")
                    .arg(table),
                {id, code, TestDatabase::iso(begin), TestDatabase::iso(end), PelikDate::toPersianText(begin),
                 PelikDate::toPersianText(end)});
        return db.scalar(QStringLiteral("SELECT max(ID) FROM ") + table).toInt();
    }

    static QString key(const QString &kind, int id) { return QLatin1Char('k') + kind + QString::number(id); }

    // The keys of the rows, sorted: the list keeps the database's order, which is not fixed.
    QStringList keys() const
    {
        QStringList result;
        for (int row = 0; row < form.documents().rowCount(); ++row)
            result << form.documents().item(row).key;
        result.sort();
        return result;
    }

    int rowOf(const QString &key) const
    {
        for (int row = 0; row < form.documents().rowCount(); ++row)
            if (form.documents().item(row).key == key)
                return row;
        ADD_FAILURE() << "no row " << key.toStdString();
        return -1;
    }

    QStringList texts(const QString &key) const { return form.documents().item(rowOf(key)).texts; }
    void check(const QString &key) { form.documents().setChecked(rowOf(key), true); }

    QStringList column(int index) const
    {
        QStringList result;
        for (int row = 0; row < form.documents().rowCount(); ++row)
            result << form.documents().item(row).texts[index];
        return result;
    }

    QStringList enabledButtons() const
    {
        QStringList result;
        for (QPushButton *button : {form.cmdBackToTemp, form.cmdFinalize, form.cmdTempSave, form.cmdDelete})
            if (button->isEnabled())
                result << button->objectName();
        return result;
    }

    QVariant code(const char *table, int id)
    {
        return db.scalar(QStringLiteral("SELECT Code FROM %1 WHERE ID=?").arg(QLatin1String(table)), {id});
    }

    static QString finalize(const char *table, const QString &ids)
    {
        return QStringLiteral("Update %1 Set Code=ID Where ID in (%2)").arg(QLatin1String(table), ids);
    }

    SeededPayroll db;
    ScriptedMessages messages;
    FormCheckDocs form;
};

} // namespace

TEST_F(FormCheckDocsTest, OpensOnThePayrollMonthWithTheTemporaryDocuments)
{
    form.Form_Load();
    EXPECT_EQ(form.windowTitle(), QString());
    EXPECT_EQ(form.StartDateText, QStringLiteral("1405/09/01"));
    EXPECT_EQ(form.datBeginDate->persianText(), QStringLiteral("1405/09/01"));
    EXPECT_EQ(form.datEndDate->persianText(), QStringLiteral("1405/09/30"));
    EXPECT_FALSE(form.datBeginDate->isEnabled());
    EXPECT_FALSE(form.datEndDate->isEnabled());
    EXPECT_TRUE(form.optTempSaveEmployee->isChecked());
    EXPECT_FALSE(form.optFinalSaveEmployee->isChecked());
    EXPECT_TRUE(form.optAllDocs->isChecked());
    EXPECT_TRUE(form.pgb->isHidden());
    EXPECT_TRUE(form.lblProgress->isHidden());
    EXPECT_EQ(form.BaseWidth, 12060);
    EXPECT_EQ(form.BaseHeight, 7995);

    QStringList titles;
    QList<int> widths;
    for (const ListColumn &c : form.documents().columns()) {
        titles << c.title;
        widths << c.widthTwips;
    }
    EXPECT_EQ(titles, QStringList({QString(), QStringLiteral("نوع سند"), QStringLiteral("FormTypeID"),
                                   QStringLiteral("ID"), QStringLiteral("وضعيت"), QStringLiteral("تاريخ شروع"),
                                   QStringLiteral("تاريخ پايان"), QStringLiteral("ملاحظات")}));
    EXPECT_EQ(widths, QList<int>({500, 2000, 0, 0, 800, 2000, 2000, 3000}));
    EXPECT_TRUE(form.lstEmployee->isColumnHidden(2));
    EXPECT_TRUE(form.lstEmployee->isColumnHidden(3));

    EXPECT_EQ(keys(), QStringList({key(ordinanceKind, db.temporaryOrdinanceOf5), key(loanKind, db.loanId),
                                   key(fundKind, db.fundId)}));
    EXPECT_EQ(texts(key(loanKind, db.loanId)),
              QStringList({QString(), QStringLiteral("وام کارمندان"), loanKind, QString::number(db.loanId),
                           QStringLiteral("موقت"), QStringLiteral("1405/09/01"), QStringLiteral("1405/09/30"),
                           QStringLiteral("تعداد کارمند: 2")}));
    EXPECT_EQ(texts(key(ordinanceKind, db.temporaryOrdinanceOf5)).mid(1, 4),
              QStringList({QStringLiteral("حکم کارگزيني"), ordinanceKind, QString::number(db.temporaryOrdinanceOf5),
                           QStringLiteral("موقت")}));
    // the employee's name; the ordinance rows have no dates in Persian
    EXPECT_EQ(texts(key(ordinanceKind, db.temporaryOrdinanceOf5)).mid(5),
              QStringList({QString(), QString(), QStringLiteral("رضا محمدي")}));
    EXPECT_FALSE(form.documents().item(0).checked);
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("3"));
    EXPECT_EQ(enabledButtons(), QStringList({QStringLiteral("cmdFinalize")}));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(FormCheckDocsTest, DocumentsTouchingThePeriodAreListedAndOneDayFurtherOutAreNot)
{
    const QDate first = SeededPayroll::begin(), last = SeededPayroll::end();
    const QDate longAgo(2026, 1, 1), farAhead(2027, 6, 1);
    QStringList listed, outside;
    const int person = db.addEmployee(QStringLiteral("77"), QStringLiteral("ليلا"), QStringLiteral("نوري"));
    listed << key(ordinanceKind, db.addOrdinance(person, longAgo, first, false))
           << key(ordinanceKind, db.addOrdinance(person, last, farAhead, false));
    outside << key(ordinanceKind, db.addOrdinance(person, longAgo, first.addDays(-1), false))
            << key(ordinanceKind, db.addOrdinance(person, last.addDays(1), farAhead, false));
    const struct {
        const char *table;
        QString kind;
    } others[] = {{"tblHRLoan", loanKind}, {"tblHRBox", fundKind}, {"tblHRExceptionBatch", adjustmentKind}};
    for (const auto &other : others) {
        const QString table = QLatin1String(other.table);
        listed << key(other.kind, addDocument(table, {}, longAgo, first))
               << key(other.kind, addDocument(table, {}, last, farAhead));
        outside << key(other.kind, addDocument(table, {}, longAgo, first.addDays(-1)))
                << key(other.kind, addDocument(table, {}, last.addDays(1), farAhead));
    }
    form.Form_Load();
    const QStringList shown = keys();
    for (const QString &k : listed)
        EXPECT_TRUE(shown.contains(k)) << k.toStdString();
    for (const QString &k : outside)
        EXPECT_FALSE(shown.contains(k)) << k.toStdString();
    EXPECT_EQ(shown.size(), 3 + listed.size());
}

TEST_F(FormCheckDocsTest, ASingleDayPeriodListsTheDocumentsOfThatDay)
{
    db.exec(QStringLiteral("UPDATE tblPelikSystemParameters SET Value='1405/09/30' WHERE ID=3450"));
    const QDate last = SeededPayroll::end();
    const int endedBefore = addDocument(QStringLiteral("tblHRLoan"), {}, SeededPayroll::begin(), last.addDays(-1));
    const int startsThatDay = addDocument(QStringLiteral("tblHRBox"), {}, last, last.addDays(30));
    form.Form_Load();
    EXPECT_EQ(form.datBeginDate->englishdate(), last);
    EXPECT_EQ(form.datEndDate->englishdate(), last);
    EXPECT_TRUE(messages.shown().isEmpty());
    const QStringList shown = keys();
    EXPECT_TRUE(shown.contains(key(fundKind, startsThatDay)));
    EXPECT_FALSE(shown.contains(key(loanKind, endedBefore)));
    EXPECT_TRUE(shown.contains(key(loanKind, db.loanId)));
    EXPECT_EQ(form.lblRecordCount->text(), QString::number(shown.size()));
}

TEST_F(FormCheckDocsTest, KindsSharingAnIdAreListedUnderTheirOwnKeys)
{
    db.exec(QStringLiteral("INSERT INTO tblHROrdinance (ID, EmployeeID, BeginDate, EndDate) VALUES (35, 7, ?, ?)"),
            {TestDatabase::iso(SeededPayroll::begin()), TestDatabase::iso(SeededPayroll::end())});
    addDocument(QStringLiteral("tblHRLoan"), {}, SeededPayroll::begin(), SeededPayroll::end(), 35);
    form.Form_Load();
    EXPECT_GE(rowOf(QStringLiteral("k102200735")), 0);
    EXPECT_GE(rowOf(QStringLiteral("k102200935")), 0);
    EXPECT_EQ(texts(QStringLiteral("k102200735"))[7], QStringLiteral("امير موسوي"));
    EXPECT_EQ(texts(QStringLiteral("k102200935"))[1], QStringLiteral("وام کارمندان"));
    EXPECT_EQ(form.documents().rowCount(), 5);
}

TEST_F(FormCheckDocsTest, AnEmptyCodeShowsTemporaryButIsListedOnlyAmongTheFinal)
{
    form.Form_Load();
    const QString adjustment = key(adjustmentKind, db.exceptionBatchId);
    EXPECT_FALSE(keys().contains(adjustment));

    form.optFinalSaveEmployee->click();
    EXPECT_EQ(texts(adjustment)[4], QStringLiteral("موقت"));
    EXPECT_EQ(texts(key(ordinanceKind, db.ordinanceOf4))[4], QStringLiteral("قطعي"));
    EXPECT_FALSE(keys().contains(key(loanKind, db.loanId)));
    // final ordinances of 1 (two), 2, 3, 4, 7 and 8, and the adjustment
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("8"));
    EXPECT_TRUE(enabledButtons().isEmpty()); // nothing to finalize among final documents

    form.optTempSaveEmployee->click();
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("3"));
    EXPECT_EQ(enabledButtons(), QStringList({QStringLiteral("cmdFinalize")}));
}

TEST_F(FormCheckDocsTest, FundAndAdjustmentDescriptionsCountTheLoanLinesOfTheirId)
{
    addDocument(QStringLiteral("tblHRLoan"), QStringLiteral("500"), QDate(2025, 1, 1), QDate(2025, 2, 1), 500);
    db.exec(QStringLiteral("INSERT INTO tblHRLoanDetail (LoanID, EmployeeID, Amount, InstalmentAmount) VALUES "
                           "(500, 1, 10, 1), (500, 2, 10, 1), (500, 3, 10, 1)"));
    const int fund = addDocument(QStringLiteral("tblHRBox"), {}, SeededPayroll::begin(), SeededPayroll::end(), 500);
    db.exec(QStringLiteral("INSERT INTO tblHRBoxDetail (BoxID, EmployeeID, InstalmentAmount) VALUES (500, 1, 5)"));
    const int adjustment =
        addDocument(QStringLiteral("tblHRExceptionBatch"), {}, SeededPayroll::begin(), SeededPayroll::end(), 600);
    db.exec(QStringLiteral("INSERT INTO tblHRExceptionBatchDetail (ExceptionBatchID, EmployeeID, FunctionID, Amount) "
                           "VALUES (600, 1, 501, 5), (600, 2, 501, 5)"));
    form.Form_Load();
    EXPECT_EQ(texts(key(fundKind, fund))[7], QStringLiteral("تعداد کارمند: 3"));
    EXPECT_EQ(texts(key(adjustmentKind, adjustment))[7], QStringLiteral("تعداد کارمند: 0"));
}

TEST_F(FormCheckDocsTest, TicksAreSetTogetherAndDiscardedByARebuild)
{
    form.Form_Load();
    form.cmdSelect->click();
    EXPECT_EQ(form.documents().checkedCount(), 3);
    form.cmdDeselect->click();
    EXPECT_EQ(form.documents().checkedCount(), 0);
    form.cmdSelect->click();
    form.optFinalSaveEmployee->click();
    form.optTempSaveEmployee->click();
    EXPECT_EQ(form.documents().rowCount(), 3);
    EXPECT_EQ(form.documents().checkedCount(), 0);
}

TEST_F(FormCheckDocsTest, ColumnClicksSortByKindAndByText)
{
    form.Form_Load();
    QHeaderView *header = form.lstEmployee->header();
    const QStringList before = column(1);
    Q_EMIT header->sectionClicked(0);
    EXPECT_EQ(column(1), before);
    Q_EMIT header->sectionClicked(1);
    const QStringList ascending{QStringLiteral("حکم کارگزيني"), QStringLiteral("صندوق کارمندان"),
                                QStringLiteral("وام کارمندان")};
    EXPECT_EQ(column(1), ascending);
    Q_EMIT header->sectionClicked(1);
    EXPECT_EQ(column(1), QStringList(ascending.rbegin(), ascending.rend()));
    Q_EMIT header->sectionClicked(7);
    EXPECT_EQ(column(7).first(), QStringLiteral("تعداد کارمند: 2"));
    EXPECT_EQ(column(7).last(), QStringLiteral("رضا محمدي"));
    EXPECT_EQ(form.documents().sortKey(), 7);
    EXPECT_EQ(form.documents().sortOrder(), Qt::AscendingOrder);
}

TEST_F(FormCheckDocsTest, DateProblemsAreToldAndThePeriodRestored)
{
    form.Form_Load();
    form.datEndDate->clear();
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::EndDateEmpty}));
    EXPECT_EQ(form.datEndDate->persianText(), QStringLiteral("1405/09/30"));
    EXPECT_EQ(form.documents().rowCount(), 3);

    messages.clear();
    form.datBeginDate->clear();
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::BeginDateEmpty}));
    EXPECT_EQ(form.datBeginDate->persianText(), QStringLiteral("1405/09/01"));
    EXPECT_EQ(form.documents().rowCount(), 3);

    messages.clear();
    form.datBeginDate->setPersianText(QStringLiteral("1405/10/01"));
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::BeginAfterEnd}));
    EXPECT_EQ(form.documents().rowCount(), 0);
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("3")); // the last completed rebuild
}

TEST_F(FormCheckDocsTest, FinalizingRunsOneUpdatePerKindOrdinancesFirst)
{
    const int secondOrdinance = db.addOrdinance(1, SeededPayroll::begin(), SeededPayroll::end(), false);
    form.Form_Load();
    // Descending by the hidden ID column, so that the IDs go in the list's order.
    Q_EMIT form.lstEmployee->header()->sectionClicked(3);
    Q_EMIT form.lstEmployee->header()->sectionClicked(3);
    check(key(loanKind, db.loanId));
    check(key(ordinanceKind, db.temporaryOrdinanceOf5));
    check(key(ordinanceKind, secondOrdinance));
    QStringList ordinanceIds{QString::number(db.temporaryOrdinanceOf5), QString::number(secondOrdinance)};
    ordinanceIds.sort();
    std::reverse(ordinanceIds.begin(), ordinanceIds.end());

    StatementTrace trace;
    form.cmdFinalize->click();
    EXPECT_EQ(trace.updates(), QStringList({finalize("tblHROrdinance", ordinanceIds.join(QLatin1Char(','))),
                                            finalize("tblHRLoan", QString::number(db.loanId))}));
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 3 سند ثبت قطعي شد.")}));
    EXPECT_EQ(code("tblHROrdinance", secondOrdinance).toInt(), secondOrdinance);
    EXPECT_EQ(code("tblHROrdinance", db.temporaryOrdinanceOf5).toInt(), db.temporaryOrdinanceOf5);
    EXPECT_EQ(code("tblHRLoan", db.loanId).toInt(), db.loanId);
    EXPECT_TRUE(code("tblHRBox", db.fundId).isNull());

    // The finalised documents leave the list, and the window is ready again.
    EXPECT_EQ(keys(), QStringList({key(fundKind, db.fundId)}));
    EXPECT_EQ(form.documents().checkedCount(), 0);
    EXPECT_TRUE(form.pgb->isHidden());
    EXPECT_TRUE(form.lblProgress->isHidden());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(enabledButtons(), QStringList({QStringLiteral("cmdFinalize")}));
}

TEST_F(FormCheckDocsTest, FinalizingOnlyFundsRunsOnlyTheFundUpdate)
{
    const int secondFund = addDocument(QStringLiteral("tblHRBox"), {}, SeededPayroll::begin(), SeededPayroll::end());
    form.Form_Load();
    check(key(fundKind, db.fundId));
    check(key(fundKind, secondFund));
    StatementTrace trace;
    form.cmdFinalize->click();
    ASSERT_EQ(trace.updates().size(), 1);
    EXPECT_TRUE(trace.updates()[0].startsWith(QStringLiteral("Update tblHRBox Set Code=ID Where ID in (")));
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("موفقيت: تعداد 2 سند ثبت قطعي شد.")}));
    EXPECT_EQ(keys(), QStringList({key(ordinanceKind, db.temporaryOrdinanceOf5), key(loanKind, db.loanId)}));
    // Nothing left to finalize once the list is empty.
    form.cmdSelect->click();
    form.cmdFinalize->click();
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_EQ(form.lblRecordCount->text(), QStringLiteral("0"));
    EXPECT_TRUE(enabledButtons().isEmpty());
}

TEST_F(FormCheckDocsTest, AFailingUpdateKeepsTheEarlierOnesAndStopsTheRest)
{
    db.exec(QStringLiteral("CREATE TRIGGER refuseLoans BEFORE UPDATE ON tblHRLoan BEGIN "
                           "SELECT RAISE(ABORT, 'loans are locked'); END"));
    form.Form_Load();
    Q_EMIT form.lstEmployee->header()->sectionClicked(1); // ordinance, fund, loan
    form.cmdSelect->click();

    StatementTrace trace;
    form.cmdFinalize->click();
    EXPECT_EQ(trace.updates(), QStringList({finalize("tblHROrdinance", QString::number(db.temporaryOrdinanceOf5)),
                                            finalize("tblHRLoan", QString::number(db.loanId))}));
    EXPECT_EQ(code("tblHROrdinance", db.temporaryOrdinanceOf5).toInt(), db.temporaryOrdinanceOf5);
    EXPECT_TRUE(code("tblHRLoan", db.loanId).isNull());
    EXPECT_TRUE(code("tblHRBox", db.fundId).isNull());
    EXPECT_TRUE(messages.shown().isEmpty());

    // The progress stays where it stopped and the list is not rebuilt, ticks and all.
    EXPECT_FALSE(form.pgb->isHidden());
    EXPECT_EQ(form.pgb->value(), 3);
    EXPECT_FALSE(form.lblProgress->isHidden());
    EXPECT_EQ(form.lblProgress->text(), QStringLiteral("3: 1022009 ") + QString::number(db.loanId));
    EXPECT_EQ(texts(key(ordinanceKind, db.temporaryOrdinanceOf5))[4], QStringLiteral("موقت"));
    EXPECT_EQ(form.documents().checkedCount(), 3);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(enabledButtons(), QStringList({QStringLiteral("cmdFinalize")}));
}

TEST_F(FormCheckDocsTest, FinalizingWithoutTicksOrBeginDateWritesNothing)
{
    form.Form_Load();
    StatementTrace trace;
    form.cmdFinalize->click();
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::NoEmployeeChecked}));
    EXPECT_TRUE(form.pgb->isHidden());
    EXPECT_TRUE(form.lblProgress->isHidden());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    messages.clear();
    form.cmdSelect->click();
    {
        const QSignalBlocker quiet(form.datBeginDate);
        form.datBeginDate->clear();
    }
    form.cmdFinalize->click();
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::BeginDateMissing}));
    EXPECT_TRUE(trace.updates().isEmpty());
    EXPECT_EQ(db.count(QStringLiteral("tblHRLoan"), QStringLiteral("Code IS NOT NULL")), 0);
    EXPECT_EQ(form.documents().checkedCount(), 3);
}

TEST_F(FormCheckDocsTest, ControlsSitInTheirPlacesAndFollowTheWindowSize)
{
    form.Form_Load();
    form.show();
    QApplication::processEvents();
    ASSERT_EQ(form.logicalDpiX(), 96); // 15 twips a pixel
    EXPECT_EQ(form.size(), QSize(804, 533));
    EXPECT_EQ(form.lstEmployee->geometry(), QRect(5, 150, 795, 331));
    EXPECT_EQ(form.cmdDelete->geometry(), QRect(613, 2, 185, 27));
    EXPECT_EQ(form.optTempSaveEmployee->parentWidget(), form.grpCode);
    EXPECT_EQ(form.optTempSaveEmployee->geometry(), QRect(313, 15, 224, 17));
    EXPECT_EQ(form.optAllDocs->parentWidget(), form.grpDocs);

    form.resize(form.width() + 40, form.height() + 40); // 600 twips wider and higher
    EXPECT_EQ(form.lstEmployee->geometry(), QRect(5, 150, 835, 371));
    EXPECT_EQ(form.cmdDelete->geometry(), QRect(643, 2, 195, 27));
    EXPECT_EQ(form.optTempSaveEmployee->x(), 333);
    EXPECT_EQ(form.cmdSelect->y(), 501 + 40);
    EXPECT_EQ(form.BaseWidth, 12660);
    form.Form_Load(); // a new load puts everything back
    QApplication::processEvents();
    EXPECT_EQ(form.lstEmployee->geometry(), QRect(5, 150, 795, 331));
    EXPECT_EQ(form.size(), QSize(804, 533));
    form.hide();
}

TEST_F(FormCheckDocsTest, AListThatCannotBeReadFailsTheOpeningCallOrIsToldLater)
{
    db.exec(QStringLiteral("ALTER TABLE tblHRBox RENAME TO tblHRBoxAway"));
    OruHRPrintBatch1 control;
    control.setOLEConnectionString(db.connectionString());
    try {
        control.ShowDocs();
        ADD_FAILURE() << "expected the call to fail";
    } catch (const ComponentError &error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("tblHRBox")));
    }
    EXPECT_FALSE(OruHRPrintBatch1::formCheckDocs().isVisible());
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    db.exec(QStringLiteral("ALTER TABLE tblHRBoxAway RENAME TO tblHRBox"));
    form.Form_Load();
    db.exec(QStringLiteral("ALTER TABLE tblHRBox RENAME TO tblHRBoxAway"));
    form.optFinalSaveEmployee->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].title, MessageText::TitleError);
    EXPECT_EQ(form.documents().rowCount(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(enabledButtons().isEmpty());
}
