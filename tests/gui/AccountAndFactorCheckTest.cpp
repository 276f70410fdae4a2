#include "payslips/FormErrorEmployee.h"
#include "payslips/FormFormIDs.h"
#include "platform/controls/FlexGrid.h"
#include "tests/gui/WindowTestKit.h"

#include <optional>

using namespace oruhr;
using namespace oruhr::test;
using namespace Qt::StringLiterals;

namespace {

// Records what the window hands to the accounting component, in order.
class AccountingDouble : public QObject {
    Q_OBJECT Q_PROPERTY(qint16 UserID READ none WRITE setUserID)
    Q_PROPERTY(qint16 PositionID READ none WRITE setPositionID)
    Q_PROPERTY(qint16 EmployeeID READ none WRITE setEmployeeID)
    Q_PROPERTY(QString OLEConnectionString READ text WRITE setOLEConnectionString)

public:
    explicit AccountingDouble(std::shared_ptr<QStringList> calls)
        : m_calls(std::move(calls))
    {
    }

    qint16 none() const { return 0; }
    QString text() const { return {}; }
    void setUserID(qint16 value) { *m_calls << u"UserID=%1"_s.arg(value); }
    void setPositionID(qint16 value) { *m_calls << u"PositionID=%1"_s.arg(value); }
    void setEmployeeID(qint16 value) { *m_calls << u"EmployeeID=%1"_s.arg(value); }
    void setOLEConnectionString(const QString &value) { *m_calls << u"OLEConnectionString="_s + value; }
    Q_INVOKABLE void View(double number) { *m_calls << u"View(%1)"_s.arg(number); }

private:
    std::shared_ptr<QStringList> m_calls;
};

class AccountAndFactorCheckTest : public WindowTest<FormMain> {
protected:
    void SetUp() override
    {
        // one more directly entered factor, and an employee of recruitment type 7
        db.exec(u"INSERT INTO tblPelikMFunction (ID, Name) VALUES (505, 'حق کشيک')"_s);
        db.exec(QStringLiteral("INSERT INTO tblPelikMFunctionDetail (FunctionID, TypeID, ParameterTypeID, BeginDate, "
                               "EndDate, SequenceInMonthlySalary) VALUES (505, 6, 3, '2026-01-01', '2027-01-01', 5)"));
        const int e9 = db.addEmployee(u"20"_s, u"ليلا"_s, u"نوري"_s);
        db.addOrdinance(e9, SeededPayroll::begin(), SeededPayroll::end(), true, {11, 7, 31});

        session.ActiveUserID = 5;
        session.ActivePositionID = 6;
        session.ActiveEmployeeID = 9;
        form.Form_Load();
    }

    int document(const char *name) const { return db.documents.value(QString::fromLatin1(name)); }
    void dropDocument(const char *name)
    {
        db.exec(u"DELETE FROM tblAccountDocumentDetail WHERE DocumentID=?"_s, {document(name)});
        db.exec(u"DELETE FROM tblAccountDocument WHERE ID=?"_s, {document(name)});
    }
    QStringList viewOf(int id) const
    {
        return {u"UserID=5"_s, u"PositionID=6"_s, u"EmployeeID=9"_s,
                u"OLEConnectionString="_s + db.connectionString(), u"View(%1)"_s.arg(id)};
    }
    static QStringList entries(QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }
    static QStringList gridRow(FlexGrid *grid, int row)
    {
        QStringList texts;
        for (int col = 0; col < grid->cols(); ++col)
            texts << grid->textMatrix(row, col);
        return texts;
    }

    std::shared_ptr<QStringList> accounting = std::make_shared<QStringList>();
    std::optional<ScopedComponent> accountingComponent{
        std::in_place, session.components(), u"comAccountDoc.comAccountDoc1"_s,
        [calls = accounting] { return std::make_unique<AccountingDouble>(calls); }};
};

const QString notEntered = u"وارد نشده"_s;

} // namespace

TEST_F(AccountAndFactorCheckTest, OneQualifyingDocumentOpensAtOnce)
{
    dropDocument("description");
    NoModalExpected noDialog;
    form.cmdAccount->click();
    EXPECT_EQ(noDialog.shown, 0);
    EXPECT_EQ(*accounting, viewOf(document("detail")));
    EXPECT_EQ(form.cmdAccount->property("Tag").toString(), QString::number(document("detail")));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(AccountAndFactorCheckTest, SeveralDocumentsAreChosenAmongHighestIdFirst)
{
    // by its lines only, without a code
    db.exec(u"INSERT INTO tblAccountDocument (Code, DocumentDate, Description) VALUES (NULL, '2026-12-21', 'اصلاحي')"_s);
    const int added = db.scalar(u"SELECT max(ID) FROM tblAccountDocument"_s).toInt();
    db.exec(u"INSERT INTO tblAccountDocumentDetail (DocumentID, FormTypeID, TransactionDate) VALUES (?, 1402, '2026-12-21')"_s, {added});
    const QString description = u"%1_description_سند فيش حقوق ماه 1405/09"_s.arg(document("description"));

    whenModalShown([&](QWidget *window) {
        auto *dialog = qobject_cast<FormFormIDs *>(window);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), u"انتخاب"_s);
        EXPECT_EQ(dialog->lblFormType->text(), u"يکي از شماره رايانه اي هاي زير مربوط به فرم «فيش حقوقي» را انتخاب نماييد."_s);
        // by its lines only, by its description only; not "حقوق" before "فيش", not another day
        EXPECT_EQ(entries(dialog->cmbFormIDs), QStringList({u"%1__اصلاحي"_s.arg(added), description,
                               u"%1_detail_سند متفرقه"_s.arg(document("detail"))}));
        EXPECT_EQ(dialog->cmbFormIDs->currentIndex(), 0);
        EXPECT_EQ(dialog->cmbFormIDs->toolTip(), dialog->cmbFormIDs->itemText(0));
        dialog->cmbFormIDs->setCurrentIndex(1);
        EXPECT_EQ(dialog->cmbFormIDs->toolTip(), description);
        dialog->cmdOK->click();
    });
    form.cmdAccount->click();
    EXPECT_EQ(*accounting, viewOf(document("description")));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(AccountAndFactorCheckTest, NoChoiceNoDocumentOrANumberThatIsNoDocumentIsTold)
{
    const QString none = MessageText::TitleError + u": "_s + MessageText::NoPayrollAccountDocument;
    whenModalShown([](QWidget *window) { window->close(); }); // the close box
    form.cmdAccount->click();
    EXPECT_EQ(messages.texts(), QStringList({none}));
    EXPECT_EQ(form.cmdAccount->property("Tag").toString(), u"-1"_s);

    messages.clear();
    dropDocument("detail");
    db.exec(u"UPDATE tblAccountDocument SET ID=0 WHERE ID=?"_s, {document("description")});
    form.cmdAccount->click();
    EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::AccountDocumentMissing)}));

    messages.clear();
    db.exec(u"DELETE FROM tblAccountDocument WHERE ID=0"_s); // "reversed" alone is left on the day
    form.cmdAccount->click();
    EXPECT_EQ(messages.texts(), QStringList({none}));
    EXPECT_TRUE(accounting->isEmpty());
}

TEST_F(AccountAndFactorCheckTest, AMissingAccountingComponentIsTold)
{
    accountingComponent.reset();
    dropDocument("description");
    form.cmdAccount->click();
    EXPECT_EQ(messages.texts(), QStringList({problem(MessageText::ComponentUnavailable)}));
}

TEST_F(AccountAndFactorCheckTest, TheChoiceConfirmsASingleEntryAtOnce)
{
    dropDocument("detail");
    NoModalExpected noDialog;
    EXPECT_EQ(form.documentChoice().getFormID(1402, u"2026-12-21"_s), document("description"));
    EXPECT_EQ(form.documentChoice().getFormID(1402, u"2026-12-22"_s), -1);
    EXPECT_EQ(noDialog.shown, 1); // an empty choice is still offered, and closing it chooses nothing
}

TEST_F(AccountAndFactorCheckTest, TheCheckShowsEveryListedEmployeeLackingAFactor)
{
    form.employees().setChecked(1, true); // checked or not, every row is asked for
    whenModalShown([](QWidget *window) {
        auto *check = qobject_cast<FormErrorEmployee *>(window);
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->windowTitle(), u"اشکال عدم ورود مستقيم عوامل حقوقي کارمندان از 1405/09/01 تا 1405/09/30"_s);
        FlexGrid *grid = check->flxError;
        // employees by code as text (none first), factors by payslip position: 3 lacks three
        // factors; 1 entered 501 in a batch that touches the period's last day; 9 is of
        // recruitment type 7; 1096 and 503 (ended the day before) are never asked for, 502
        // (starting on the last day) is
        ASSERT_EQ(grid->rows(), 4);
        EXPECT_EQ(gridRow(grid, 0), QStringList({u"رديف"_s, u"کد"_s, u"نام"_s, u"نام خانوادگي"_s, u"شماره کارمند"_s,
                                                 u"حق ماموريت"_s, u"ايام کارکرد"_s, u"حق کشيک"_s}));
        EXPECT_EQ(gridRow(grid, 1), QStringList({"1", "", u"حسن"_s, "", "3", notEntered, notEntered, notEntered}));
        EXPECT_EQ(gridRow(grid, 2), QStringList({"2", "12", u"امير"_s, u"موسوي"_s, "7",
                                                 notEntered, notEntered, notEntered}));
        EXPECT_EQ(gridRow(grid, 3), QStringList({"3", "3", u"علي"_s, u"احمدي"_s, "1", "", notEntered, notEntered}));
        EXPECT_EQ(check->FactorColumns.size(), 4);
        EXPECT_EQ(check->FindFactorColumn(502), 6);
        EXPECT_EQ(check->FindFactorColumn(1096), -1);
        EXPECT_EQ(check->FindEmployeeRow(1), 3);
        EXPECT_EQ(check->FindEmployeeRow(9), -1);
        const int widths[] = {800, 1200, 1800, 2500, 0, 1000, 1100, 700};
        const int alignments[] = {4, 4, 1, 1, 1, 4, 4, 4};
        for (int col = 0; col < 8; ++col) {
            EXPECT_EQ(grid->colWidth(col), widths[col]) << col;
            EXPECT_EQ(grid->colAlignment(col), alignments[col]) << col;
        }
        EXPECT_TRUE(grid->isColumnHidden(4));

        const QRect gridPlace = grid->geometry(), ok = check->cmdOK->geometry();
        check->resize(check->width() + 40, check->height() + 40);
        EXPECT_EQ(grid->geometry(), gridPlace.adjusted(0, 0, 40, 40));
        EXPECT_EQ(check->cmdOK->geometry(), ok.translated(0, 40));
        check->cmdOK->click();
    });
    form.cmdShowError->click();
    EXPECT_FALSE(form.factorCheck().isVisible());

    // Confirming unloaded the window, so the next check starts afresh.
    db.exec(u"DELETE FROM tblPelikMFunctionDetail WHERE FunctionID=501"_s);
    whenModalShown([](QWidget *window) {
        auto *check = qobject_cast<FormErrorEmployee *>(window);
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->flxError->cols(), 7);
        EXPECT_EQ(check->flxError->textMatrix(0, 5), u"ايام کارکرد"_s);
        EXPECT_EQ(check->FactorColumns.size(), 3);
    });
    form.cmdShowError->click(); // closed by its close box this time
}

TEST_F(AccountAndFactorCheckTest, SilentlyTheCheckTellsWhetherNothingIsMissing)
{
    FormErrorEmployee check(session.dtEn());
    const QString begin = u"2026-11-22"_s, end = u"2026-12-21"_s;
    const QString farsiBegin = u"1405/09/01"_s, farsiEnd = u"1405/09/30"_s;
    QString recruitmentTypesSixAndSeven = u" 8, 9"_s;
    EXPECT_TRUE(check.ShowErrorEmployee(begin, farsiBegin, end, farsiEnd, recruitmentTypesSixAndSeven, true));
    QString lacking = u" 1, 8"_s;
    EXPECT_FALSE(check.ShowErrorEmployee(begin, farsiBegin, end, farsiEnd, lacking, true));
    EXPECT_EQ(check.flxError->rows(), 2);
    QString nobody;
    EXPECT_TRUE(check.ShowErrorEmployee(begin, farsiBegin, end, farsiEnd, nobody, true));
    EXPECT_EQ(nobody, u"-1"_s);
    // a silent check stays loaded: only its rows start afresh
    EXPECT_EQ(check.flxError->cols(), 7);
    EXPECT_FALSE(check.isVisible());
}

TEST_F(AccountAndFactorCheckTest, DatabaseFailuresSayInPersianWhatCouldNotBeDoneAndTheWindowStaysUsable)
{
    NoModalExpected noDialog;
    db.exec(u"DROP TABLE tblPelikFormType"_s); // fails inside the choice
    form.cmdAccount->click();
    db.exec(u"DROP TABLE tblAccountDocumentDetail"_s); // fails the lookup itself
    form.cmdAccount->click();
    db.exec(u"DROP TABLE tblHRRunTimeBatchDetail"_s);
    form.cmdShowError->click();
    EXPECT_EQ(noDialog.shown, 0);
    EXPECT_TRUE(accounting->isEmpty());
    EXPECT_EQ(form.documentChoice().cmbFormIDs->count(), 0);
    expectIdle(form);
    EXPECT_TRUE(form.cmdAccount->isEnabled());

    db.exec(u"DROP TABLE tblHRMonthlySalary"_s);
    form.RefreshEmployees();
    const QStringList said{QString(), u"سند حسابداري حقوق و دستمزد اين ماه خوانده نشد."_s,
                           u"کنترل ورود عوامل حقوقي کارمندان انجام نشد."_s, u"فهرست از پايگاه داده خوانده نشد."_s};
    const QStringList tables{u"tblPelikFormType"_s, u"tblAccountDocumentDetail"_s, u"tblHRRunTimeBatchDetail"_s,
                             u"tblHRMonthlySalary"_s};
    const QList<ScriptedMessages::Shown> all = messages.shown();
    ASSERT_EQ(all.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const ScriptedMessages::Shown &shown = all[i];
        EXPECT_EQ(shown.title, u"خطا"_s);
        EXPECT_TRUE(i == 0 || shown.text.startsWith(said[i] + u"\n"_s)) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(tables[i])) << shown.text.toStdString();
    }
}

#include "AccountAndFactorCheckTest.moc"
