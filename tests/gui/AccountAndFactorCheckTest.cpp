#include "common/MessageText.h"
#include "payslips/FormErrorEmployee.h"
#include "payslips/FormFormIDs.h"
#include "payslips/FormMain.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/controls/FlexGrid.h"
#include "platform/controls/KeyedListModel.h"
#include "shell/ModMain.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SeededPayroll.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <optional>

using namespace oruhr;
using namespace oruhr::test;

namespace {

// Records what the window hands to the accounting component, in order.
class AccountingDouble : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint16 UserID READ none WRITE setUserID)
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
    void setUserID(qint16 value) { *m_calls << QStringLiteral("UserID=%1").arg(value); }
    void setPositionID(qint16 value) { *m_calls << QStringLiteral("PositionID=%1").arg(value); }
    void setEmployeeID(qint16 value) { *m_calls << QStringLiteral("EmployeeID=%1").arg(value); }
    void setOLEConnectionString(const QString &value) { *m_calls << QStringLiteral("OLEConnectionString=") + value; }
    Q_INVOKABLE void View(double number) { *m_calls << QStringLiteral("View(%1)").arg(number); }

private:
    std::shared_ptr<QStringList> m_calls;
};

// Closes any modal window that shows while it lives, and counts them, so that a window
// expected not to open fails the test instead of blocking it.
class NoModalExpected {
public:
    NoModalExpected()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                ++shown;
                modal->close();
            }
        });
        m_timer.start(5);
    }

    int shown = 0;

private:
    QTimer m_timer;
};

class AccountAndFactorCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec(QStringLiteral("INSERT INTO tblPelikSystemParameters (ID, Value) VALUES (3450, '1405/09/01')"));
        // one more directly entered factor, and an employee of recruitment type 7
        db.exec(QStringLiteral("INSERT INTO tblPelikMFunction (ID, Name) VALUES (505, 'حق کشيک')"));
        db.exec(QStringLiteral("INSERT INTO tblPelikMFunctionDetail (FunctionID, TypeID, ParameterTypeID, BeginDate, "
                               "EndDate, SequenceInMonthlySalary) VALUES (505, 6, 3, '2026-01-01', '2027-01-01', 5)"));
        const int e9 = db.addEmployee(QStringLiteral("20"), QStringLiteral("ليلا"), QStringLiteral("نوري"));
        db.addOrdinance(e9, SeededPayroll::begin(), SeededPayroll::end(), true, {11, 7, 31});

        ModMain::ActiveConnectionString = db.connectionString();
        ModMain::ActiveUserID = 5;
        ModMain::ActivePositionID = 6;
        ModMain::ActiveEmployeeID = 9;
        ModMain::ConnectDataEnvironment();
        form.Form_Load();
    }

    int document(const char *name) const { return db.documents.value(QString::fromLatin1(name)); }
    void dropDocument(const char *name)
    {
        db.exec(QStringLiteral("DELETE FROM tblAccountDocumentDetail WHERE DocumentID=?"), {document(name)});
        db.exec(QStringLiteral("DELETE FROM tblAccountDocument WHERE ID=?"), {document(name)});
    }
    QStringList viewOf(int id) const
    {
        return {QStringLiteral("UserID=5"), QStringLiteral("PositionID=6"), QStringLiteral("EmployeeID=9"),
                QStringLiteral("OLEConnectionString=") + db.connectionString(), QStringLiteral("View(%1)").arg(id)};
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

    SeededPayroll db;
    ScriptedMessages messages;
    std::shared_ptr<QStringList> accounting = std::make_shared<QStringList>();
    std::optional<ScopedComponent> accountingComponent{
        std::in_place, QStringLiteral("comAccountDoc.comAccountDoc1"),
        [calls = accounting] { return std::make_unique<AccountingDouble>(calls); }};
    FormMain form;
};

const QString notEntered = QStringLiteral("وارد نشده");

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
    db.exec(QStringLiteral("INSERT INTO tblAccountDocument (Code, DocumentDate, Description) VALUES (NULL, '2026-12-21', 'اصلاحي')"));
    const int added = db.scalar(QStringLiteral("SELECT max(ID) FROM tblAccountDocument")).toInt();
    db.exec(QStringLiteral("INSERT INTO tblAccountDocumentDetail (DocumentID, FormTypeID, TransactionDate) VALUES (?, 1402, '2026-12-21')"), {added});
    const QString description = QStringLiteral("%1_description_سند فيش حقوق ماه 1405/09").arg(document("description"));

    whenModalShown([&](QWidget *window) {
        auto *dialog = qobject_cast<FormFormIDs *>(window);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("انتخاب"));
        EXPECT_EQ(dialog->lblFormType->text(), QStringLiteral("يکي از شماره رايانه اي هاي زير مربوط به فرم «فيش حقوقي» را انتخاب نماييد."));
        // by its lines only, by its description only; not "حقوق" before "فيش", not another day
        EXPECT_EQ(entries(dialog->cmbFormIDs),
                  QStringList({QStringLiteral("%1__اصلاحي").arg(added), description,
                               QStringLiteral("%1_detail_سند متفرقه").arg(document("detail"))}));
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

TEST_F(AccountAndFactorCheckTest, NoDocumentOrNoChoiceIsTold)
{
    const QString none = MessageText::TitleError + QStringLiteral(": ") + MessageText::NoPayrollAccountDocument;
    whenModalShown([](QWidget *window) { window->close(); }); // the close box
    form.cmdAccount->click();
    EXPECT_EQ(messages.texts(), QStringList({none}));
    EXPECT_EQ(form.cmdAccount->property("Tag").toString(), QStringLiteral("-1"));

    messages.clear();
    dropDocument("detail");
    dropDocument("description"); // "reversed" alone is left on the day
    form.cmdAccount->click();
    EXPECT_EQ(messages.texts(), QStringList({none}));
    EXPECT_TRUE(accounting->isEmpty());
}

TEST_F(AccountAndFactorCheckTest, ANumberThatIsNoDocumentIsTold)
{
    dropDocument("detail");
    db.exec(QStringLiteral("UPDATE tblAccountDocument SET ID=0 WHERE ID=?"), {document("description")});
    form.cmdAccount->click();
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::AccountDocumentMissing}));
    EXPECT_TRUE(accounting->isEmpty());
}

TEST_F(AccountAndFactorCheckTest, AMissingAccountingComponentIsTold)
{
    accountingComponent.reset();
    dropDocument("description");
    form.cmdAccount->click();
    EXPECT_EQ(messages.texts(), QStringList({MessageText::TitleProblem + QStringLiteral(": ") + MessageText::ComponentUnavailable}));
}

TEST_F(AccountAndFactorCheckTest, ADatabaseFailureIsToldAndTheWindowStaysUsable)
{
    NoModalExpected noDialog;
    db.exec(QStringLiteral("DROP TABLE tblPelikFormType")); // fails inside the choice
    form.cmdAccount->click();
    db.exec(QStringLiteral("DROP TABLE tblAccountDocumentDetail")); // fails the lookup itself
    form.cmdAccount->click();
    db.exec(QStringLiteral("DROP TABLE tblHRRunTimeBatchDetail"));
    form.cmdShowError->click();

    EXPECT_EQ(noDialog.shown, 0);
    const QList<ScriptedMessages::Shown> shown = messages.shown();
    ASSERT_EQ(shown.size(), 3);
    const char *tables[] = {"tblPelikFormType", "tblAccountDocumentDetail", "tblHRRunTimeBatchDetail"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shown[i].title, QStringLiteral("خطا"));
        EXPECT_TRUE(shown[i].text.contains(QString::fromLatin1(tables[i]))) << shown[i].text.toStdString();
    }
    EXPECT_TRUE(accounting->isEmpty());
    EXPECT_FALSE(FormFormIDs::instance().isVisible());
    EXPECT_EQ(FormFormIDs::instance().cmbFormIDs->count(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(form.cmdAccount->isEnabled());
}

TEST_F(AccountAndFactorCheckTest, TheChoiceConfirmsASingleEntryAtOnce)
{
    dropDocument("detail");
    NoModalExpected noDialog;
    const QString end = QStringLiteral("2026-12-21");
    EXPECT_EQ(FormFormIDs::instance().getFormID(1402, end), document("description"));
    EXPECT_EQ(FormFormIDs::instance().getFormID(1402, QStringLiteral("2026-12-22")), -1);
    EXPECT_EQ(noDialog.shown, 1); // an empty choice is still offered, and closing it chooses nothing
}

TEST_F(AccountAndFactorCheckTest, TheCheckShowsEveryListedEmployeeLackingAFactor)
{
    form.employees().setChecked(1, true); // checked or not, every row is asked for
    whenModalShown([](QWidget *window) {
        auto *check = qobject_cast<FormErrorEmployee *>(window);
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->windowTitle(), QStringLiteral("اشکال عدم ورود مستقيم عوامل حقوقي کارمندان از 1405/09/01 تا 1405/09/30"));
        FlexGrid *grid = check->flxError;
        // employees by code as text (none first), factors by payslip position: 3 lacks three
        // factors; 1 entered 501 in a batch that touches the period's last day; 9 is of
        // recruitment type 7; 1096 and 503 (ended the day before) are never asked for, 502
        // (starting on the last day) is
        ASSERT_EQ(grid->rows(), 4);
        EXPECT_EQ(gridRow(grid, 0), QStringList({QStringLiteral("رديف"), QStringLiteral("کد"), QStringLiteral("نام"),
                                                 QStringLiteral("نام خانوادگي"), QStringLiteral("شماره کارمند"),
                                                 QStringLiteral("حق ماموريت"), QStringLiteral("ايام کارکرد"),
                                                 QStringLiteral("حق کشيک")}));
        EXPECT_EQ(gridRow(grid, 1), QStringList({"1", "", QStringLiteral("حسن"), "", "3", notEntered, notEntered, notEntered}));
        EXPECT_EQ(gridRow(grid, 2), QStringList({"2", "12", QStringLiteral("امير"), QStringLiteral("موسوي"), "7",
                                                 notEntered, notEntered, notEntered}));
        EXPECT_EQ(gridRow(grid, 3), QStringList({"3", "3", QStringLiteral("علي"), QStringLiteral("احمدي"), "1", "",
                                                 notEntered, notEntered}));
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
        check->cmdOK->click();
    });
    form.cmdShowError->click();
    EXPECT_FALSE(FormErrorEmployee::instance().isVisible());
}

TEST_F(AccountAndFactorCheckTest, ConfirmingUnloadsSoTheNextCheckStartsAfresh)
{
    whenModalShown([](QWidget *window) {
        auto *check = qobject_cast<FormErrorEmployee *>(window);
        ASSERT_NE(check, nullptr);
        const QRect grid = check->flxError->geometry(), ok = check->cmdOK->geometry();
        check->resize(check->width() + 40, check->height() + 40);
        EXPECT_EQ(check->flxError->geometry(), grid.adjusted(0, 0, 40, 40));
        EXPECT_EQ(check->cmdOK->geometry(), ok.translated(0, 40));
        check->cmdOK->click();
    });
    form.cmdShowError->click();

    db.exec(QStringLiteral("DELETE FROM tblPelikMFunctionDetail WHERE FunctionID=501"));
    whenModalShown([](QWidget *window) {
        auto *check = qobject_cast<FormErrorEmployee *>(window);
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->flxError->cols(), 7);
        EXPECT_EQ(check->flxError->textMatrix(0, 5), QStringLiteral("ايام کارکرد"));
        EXPECT_EQ(check->FindFactorColumn(501), -1);
        EXPECT_EQ(check->FactorColumns.size(), 3);
    });
    form.cmdShowError->click(); // closed by its close box this time
}

TEST_F(AccountAndFactorCheckTest, SilentlyTheCheckTellsWhetherNothingIsMissing)
{
    FormErrorEmployee check;
    const QString begin = QStringLiteral("2026-11-22"), end = QStringLiteral("2026-12-21");
    const QString farsiBegin = QStringLiteral("1405/09/01"), farsiEnd = QStringLiteral("1405/09/30");
    QString recruitmentTypesSixAndSeven = QStringLiteral(" 8, 9");
    EXPECT_TRUE(check.ShowErrorEmployee(begin, farsiBegin, end, farsiEnd, recruitmentTypesSixAndSeven, true));
    QString lacking = QStringLiteral(" 1, 8");
    EXPECT_FALSE(check.ShowErrorEmployee(begin, farsiBegin, end, farsiEnd, lacking, true));
    EXPECT_EQ(check.flxError->rows(), 2);
    QString nobody;
    EXPECT_TRUE(check.ShowErrorEmployee(begin, farsiBegin, end, farsiEnd, nobody, true));
    EXPECT_EQ(nobody, QStringLiteral("-1"));
    // a silent check stays loaded: only its rows start afresh
    EXPECT_EQ(check.flxError->cols(), 7);
    EXPECT_FALSE(check.isVisible());
}

#include "AccountAndFactorCheckTest.moc"
