#include "platform/database/DatabaseLog.h"
#include "tests/gui/WindowTestKit.h"

using namespace oruhr;
using namespace oruhr::test;
using namespace Qt::StringLiterals;

namespace {

const QString ordinanceKind = u"1022007"_s;
const QString loanKind = u"1022009"_s;
const QString fundKind = u"1022021"_s;
const QString adjustmentKind = u"1022041"_s;

QString key(const QString &kind, int id) { return QLatin1Char('k') + kind + QString::number(id); }
QString finalize(const char *table, const QString &ids)
{
    return u"Update %1 Set Code=ID Where ID in (%2)"_s.arg(QLatin1String(table), ids);
}

// Records the updates that the windows send, from the database layer's debug log.
class UpdateTrace {
public:
    UpdateTrace()
    {
        s_current = this;
        QLoggingCategory::setFilterRules(QStringLiteral("oruhr.database.debug=true"));
        if (!lcDatabase().isDebugEnabled())
            ADD_FAILURE() << "a logging rule keeps the database's debug lines off";
        s_previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (qstrcmp(context.category, "oruhr.database") != 0) {
                if (s_previous)
                    s_previous(type, context, text);
            } else if (text.startsWith(QLatin1String("Update"), Qt::CaseInsensitive)) {
                s_current->updates << text;
            }
        });
    }
    ~UpdateTrace()
    {
        qInstallMessageHandler(s_previous);
        QLoggingCategory::setFilterRules(QString());
    }

    QStringList updates;

private:
    static inline UpdateTrace *s_current = nullptr;
    static inline QtMessageHandler s_previous = nullptr;
};

class FormCheckDocsTest : public WindowTest<FormCheckDocs> {
protected:
    int addDocument(const QString &table, QDate begin, QDate end, const QVariant &id = {})
    {
        return db.addDocument(table, false, begin, end, id);
    }

    // The keys of the rows, sorted: the list keeps the database's order, which is not fixed.
    QStringList keys() const
    {
        QStringList result = column(-1);
        result.sort();
        return result;
    }

    QStringList column(int index) const { return columnOf(form.documents(), index); }

    QStringList texts(const QString &key) const
    {
        const int row = column(-1).indexOf(key);
        EXPECT_GE(row, 0) << "no row " << key.toStdString();
        return row < 0 ? QStringList() : form.documents().item(row).texts;
    }

    void check(const QString &key) { form.documents().setChecked(column(-1).indexOf(key), true); }

    QStringList enabledButtons() const
    {
        return enabledOf({form.cmdBackToTemp, form.cmdFinalize, form.cmdTempSave, form.cmdDelete});
    }

    QVariant code(const char *table, int id)
    {
        return db.scalar(u"SELECT Code FROM %1 WHERE ID=?"_s.arg(QLatin1String(table)), {id});
    }
};

} // namespace

TEST_F(FormCheckDocsTest, OpensOnThePayrollMonthWithTheTemporaryDocuments)
{
    form.Form_Load();
    EXPECT_EQ(form.windowTitle(), QString());
    EXPECT_FALSE(form.datBeginDate->isEnabled());
    EXPECT_FALSE(form.datEndDate->isEnabled());
    EXPECT_TRUE(form.optTempSaveEmployee->isChecked());
    EXPECT_TRUE(form.optAllDocs->isChecked());
    EXPECT_TRUE(form.pgb->isHidden());
    EXPECT_TRUE(form.lblProgress->isHidden());

    QStringList titles;
    QList<int> widths;
    for (const ListColumn &c : form.documents().columns()) {
        titles << c.title;
        widths << c.widthTwips;
    }
    EXPECT_EQ(titles, QStringList({QString(), u"نوع سند"_s, u"FormTypeID"_s, u"ID"_s, u"وضعيت"_s, u"تاريخ شروع"_s,
                                   u"تاريخ پايان"_s, u"ملاحظات"_s}));
    EXPECT_EQ(widths, QList<int>({500, 2000, 0, 0, 800, 2000, 2000, 3000}));

    const QString ordinance = key(ordinanceKind, db.temporaryOrdinanceOf5);
    EXPECT_EQ(keys(), QStringList({ordinance, key(loanKind, db.loanId), key(fundKind, db.fundId)}));
    EXPECT_EQ(texts(key(loanKind, db.loanId)),
              QStringList({QString(), u"وام کارمندان"_s, loanKind, QString::number(db.loanId),
                           u"موقت"_s, u"1405/09/01"_s, u"1405/09/30"_s, u"تعداد کارمند: 2"_s}));
    // the ordinance rows have no Persian dates, and the employee's name as description
    EXPECT_EQ(texts(ordinance).mid(1),
              QStringList({u"حکم کارگزيني"_s, ordinanceKind, QString::number(db.temporaryOrdinanceOf5),
                           u"موقت"_s, QString(), QString(), u"رضا محمدي"_s}));
    EXPECT_EQ(form.lblRecordCount->text(), u"3"_s);
    EXPECT_EQ(enabledButtons(), QStringList({"Finalize"}));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(FormCheckDocsTest, DocumentsTouchingThePeriodAreListedAndOneDayFurtherOutAreNot)
{
    const QDate first = SeededPayroll::begin(), last = SeededPayroll::end();
    const QDate longAgo(2026, 1, 1), farAhead(2027, 6, 1);
    QStringList listed, outside;
    const int person = db.addEmployee(u"77"_s, u"ليلا"_s, u"نوري"_s);
    listed << key(ordinanceKind, db.addOrdinance(person, longAgo, first, false))
           << key(ordinanceKind, db.addOrdinance(person, last, farAhead, false));
    outside << key(ordinanceKind, db.addOrdinance(person, longAgo, first.addDays(-1), false))
            << key(ordinanceKind, db.addOrdinance(person, last.addDays(1), farAhead, false));
    const QList<std::pair<QString, QString>> others{{u"tblHRLoan"_s, loanKind},
                                                    {u"tblHRBox"_s, fundKind},
                                                    {u"tblHRExceptionBatch"_s, adjustmentKind}};
    for (const auto &[table, kind] : others) {
        listed << key(kind, addDocument(table, longAgo, first)) << key(kind, addDocument(table, last, farAhead));
        outside << key(kind, addDocument(table, longAgo, first.addDays(-1)))
                << key(kind, addDocument(table, last.addDays(1), farAhead));
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
    db.exec(u"UPDATE tblPelikSystemParameters SET Value='1405/09/30' WHERE ID=3450"_s);
    const QDate last = SeededPayroll::end();
    const int endedBefore = addDocument(u"tblHRLoan"_s, SeededPayroll::begin(), last.addDays(-1));
    const int startsThatDay = addDocument(u"tblHRBox"_s, last, last.addDays(30));
    form.Form_Load();
    const QStringList shown = keys();
    EXPECT_TRUE(shown.contains(key(fundKind, startsThatDay)));
    EXPECT_FALSE(shown.contains(key(loanKind, endedBefore)));
    EXPECT_TRUE(shown.contains(key(loanKind, db.loanId)));
}

TEST_F(FormCheckDocsTest, AnEmptyCodeShowsTemporaryButIsListedOnlyAmongTheFinal)
{
    form.Form_Load();
    const QString adjustment = key(adjustmentKind, db.exceptionBatchId);
    EXPECT_FALSE(keys().contains(adjustment));

    form.optFinalSaveEmployee->click();
    EXPECT_EQ(texts(adjustment).value(4), u"موقت"_s);
    EXPECT_EQ(texts(key(ordinanceKind, db.ordinanceOf4)).value(4), u"قطعي"_s);
    EXPECT_FALSE(keys().contains(key(loanKind, db.loanId)));
    // final ordinances of 1 (two), 2, 3, 4, 7 and 8, and the adjustment
    EXPECT_EQ(form.lblRecordCount->text(), u"8"_s);
    EXPECT_TRUE(enabledButtons().isEmpty()); // nothing to finalize among final documents
}

TEST_F(FormCheckDocsTest, KindsSharingAnIdHaveTheirOwnKeysAndDescriptions)
{
    db.exec(u"INSERT INTO tblHROrdinance (ID, EmployeeID, BeginDate, EndDate) VALUES (35, 7, ?, ?)"_s,
            {TestDatabase::iso(SeededPayroll::begin()), TestDatabase::iso(SeededPayroll::end())});
    addDocument(u"tblHRLoan"_s, SeededPayroll::begin(), SeededPayroll::end(), 35);
    // fund and group-adjustment descriptions count the loan lines of their ID
    addDocument(u"tblHRLoan"_s, QDate(2025, 1, 1), QDate(2025, 2, 1), 500);
    db.exec(QStringLiteral("INSERT INTO tblHRLoanDetail (LoanID, EmployeeID, Amount, InstalmentAmount) VALUES "
                           "(500, 1, 10, 1), (500, 2, 10, 1), (500, 3, 10, 1)"));
    const int fund = addDocument(u"tblHRBox"_s, SeededPayroll::begin(), SeededPayroll::end(), 500);
    db.exec(u"INSERT INTO tblHRBoxDetail (BoxID, EmployeeID, InstalmentAmount) VALUES (500, 1, 5)"_s);
    const int adjustment = addDocument(u"tblHRExceptionBatch"_s, SeededPayroll::begin(), SeededPayroll::end(), 600);
    db.exec(QStringLiteral("INSERT INTO tblHRExceptionBatchDetail (ExceptionBatchID, EmployeeID, FunctionID, Amount) "
                           "VALUES (600, 1, 501, 5), (600, 2, 501, 5)"));
    form.Form_Load();
    EXPECT_EQ(texts(key(fundKind, fund)).value(7), u"تعداد کارمند: 3"_s);
    EXPECT_EQ(texts(key(adjustmentKind, adjustment)).value(7), u"تعداد کارمند: 0"_s);
    EXPECT_EQ(texts(u"k102200735"_s).value(7), u"امير موسوي"_s);
    EXPECT_EQ(texts(u"k102200935"_s).value(1), u"وام کارمندان"_s);
}

TEST_F(FormCheckDocsTest, FinalizingRunsOneUpdatePerKindOrdinancesFirstInListOrder)
{
    const int secondOrdinance = db.addOrdinance(1, SeededPayroll::begin(), SeededPayroll::end(), false);
    form.Form_Load();
    // Descending by the hidden ID column, so that the IDs go in the list's order.
    Q_EMIT form.lstEmployee->header()->sectionClicked(3);
    Q_EMIT form.lstEmployee->header()->sectionClicked(3);
    for (const QString &k : {key(loanKind, db.loanId), key(ordinanceKind, db.temporaryOrdinanceOf5),
                             key(ordinanceKind, secondOrdinance)})
        check(k);
    const QString a = QString::number(secondOrdinance), b = QString::number(db.temporaryOrdinanceOf5);
    const QString ordinanceIds = std::max(a, b) + QLatin1Char(',') + std::min(a, b); // the column sorts as text

    UpdateTrace trace;
    form.cmdFinalize->click();
    EXPECT_EQ(trace.updates, QStringList({finalize("tblHROrdinance", ordinanceIds),
                                          finalize("tblHRLoan", QString::number(db.loanId))}));
    EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 3 سند ثبت قطعي شد."_s}));
    EXPECT_EQ(code("tblHROrdinance", secondOrdinance).toInt(), secondOrdinance);
    EXPECT_EQ(code("tblHRLoan", db.loanId).toInt(), db.loanId);
    EXPECT_TRUE(code("tblHRBox", db.fundId).isNull());

    // The finalised documents leave the list.
    EXPECT_EQ(keys(), QStringList({key(fundKind, db.fundId)}));
}

TEST_F(FormCheckDocsTest, FinalizingOnlyFundsRunsOnlyTheFundUpdate)
{
    const int secondFund = addDocument(u"tblHRBox"_s, SeededPayroll::begin(), SeededPayroll::end());
    form.Form_Load();
    check(key(fundKind, db.fundId));
    check(key(fundKind, secondFund));
    UpdateTrace trace;
    form.cmdFinalize->click();
    ASSERT_EQ(trace.updates.size(), 1);
    EXPECT_TRUE(trace.updates[0].startsWith(u"Update tblHRBox Set Code=ID Where ID in ("_s));
    EXPECT_EQ(messages.texts(), QStringList({u"موفقيت: تعداد 2 سند ثبت قطعي شد."_s}));
    // With the rest finalised the empty list offers nothing.
    form.cmdSelect->click();
    form.cmdFinalize->click();
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_TRUE(enabledButtons().isEmpty());
}

TEST_F(FormCheckDocsTest, AFailingUpdateKeepsTheEarlierOnesAndStopsTheRest)
{
    db.exec(QStringLiteral("CREATE TRIGGER refuseLoans BEFORE UPDATE ON tblHRLoan BEGIN "
                           "SELECT RAISE(ABORT, 'loans are locked'); END"));
    form.Form_Load();
    Q_EMIT form.lstEmployee->header()->sectionClicked(1); // ordinance, fund, loan
    form.cmdSelect->click();

    UpdateTrace trace;
    form.cmdFinalize->click();
    EXPECT_EQ(trace.updates, QStringList({finalize("tblHROrdinance", QString::number(db.temporaryOrdinanceOf5)),
                                          finalize("tblHRLoan", QString::number(db.loanId))}));
    EXPECT_EQ(code("tblHROrdinance", db.temporaryOrdinanceOf5).toInt(), db.temporaryOrdinanceOf5);
    EXPECT_TRUE(code("tblHRLoan", db.loanId).isNull());
    EXPECT_TRUE(code("tblHRBox", db.fundId).isNull());
    EXPECT_TRUE(messages.shown().isEmpty());

    // The progress names the document it stopped at.
    EXPECT_EQ(form.lblProgress->text(), u"3: 1022009 "_s + QString::number(db.loanId));
}

TEST_F(FormCheckDocsTest, AListThatCannotBeReadFailsTheOpeningCallOrIsToldLater)
{
    // Either window's opening call, its list's table gone.
    for (const char *table : {"tblHRBox", "tblHRMonthlySalary"}) {
        db.exec(u"ALTER TABLE %1 RENAME TO away"_s.arg(QLatin1String(table)));
        OruHRPrintBatch1 control;
        control.setOLEConnectionString(db.connectionString());
        const bool docs = table == std::string_view("tblHRBox");
        try {
            docs ? control.ShowDocs() : control.TempSaveMonthlySalary().toBool();
            ADD_FAILURE() << "expected the call to fail";
        } catch (const ComponentError &error) {
            EXPECT_TRUE(error.description().contains(QLatin1String(table))) << table;
        }
        EXPECT_FALSE(docs ? control.formCheckDocs().isVisible() : control.formMain().isVisible());
        EXPECT_TRUE(messages.shown().isEmpty());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        db.exec(u"ALTER TABLE away RENAME TO %1"_s.arg(QLatin1String(table)));
    }

    form.Form_Load();
    db.exec(u"ALTER TABLE tblHRBox RENAME TO tblHRBoxAway"_s);
    form.optFinalSaveEmployee->click();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].title, MessageText::TitleError);
    EXPECT_EQ(form.documents().rowCount(), 0);
    EXPECT_TRUE(enabledButtons().isEmpty());
    expectIdle(form);
}

