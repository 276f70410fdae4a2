#include "common/MessageText.h"
#include "payslips/FormPrint.h"
#include "shell/ModMain.h"
#include "tests/support/TestSession.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SeededPayroll.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace oruhr;
using namespace oruhr::test;

namespace {

class FormPrintTest : public ::testing::Test {
protected:
    void SetUp() override { session.connectTo(db.connectionString()); }

    // Fills and shows the dialog as a print run does, and acts on it.
    QVariant choose(qint32 formTypeId, const std::function<void()> &action)
    {
        dialog.setFormTypeID(formTypeId);
        if (FillReportTemplates(dialog)) {
            whenModalShown([&](QWidget *) { action(); });
            dialog.exec();
        }
        return dialog.FilePath();
    }

    SeededPayroll db;
    ScriptedMessages messages;
    TestSession session;
    FormPrint dialog{session.dtEn()};
};

} // namespace

TEST_F(FormPrintTest, ConfirmingKeepsThePathAsStoredAndTheCloseBoxNothing)
{
    const QVariant any = choose(1402, [&] {
        dialog.cmbReport->setCurrentIndex(1);
        dialog.cmdPrint->click();
    });
    EXPECT_EQ(any, QVariant(QStringLiteral("Reports/any.html")));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(choose(1401, [&] { dialog.cmdOk->click(); }), QVariant(QStringLiteral("Reports/ordinance.html")));
    // A second showing closed with the close box leaves nothing of the first choice.
    EXPECT_TRUE(choose(1402, [&] { dialog.close(); }).toString().isEmpty());
    EXPECT_TRUE(messages.shown().isEmpty());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("گزارشگيري "));
}

TEST_F(FormPrintTest, ConfirmingWithoutATemplateWarnsAndStaysOpen)
{
    const QVariant path = choose(1402, [&] {
        dialog.txtDescription->setText(QStringLiteral("فيش آذر"));
        dialog.cmbReport->setCurrentIndex(-1);
        dialog.cmdPrint->click();
        EXPECT_TRUE(dialog.isVisible());
        // A template removed from the catalogue since the list was filled is not taken either.
        db.exec(QStringLiteral("DELETE FROM tblPelikReportTemplate WHERE ID = 1"));
        dialog.cmbReport->setCurrentIndex(0);
        dialog.cmdPrint->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.cmbReport->count(), 1);
        dialog.cmdPrint->click();
    });
    EXPECT_EQ(path, QVariant(QStringLiteral("Reports/any.html")));
    const QString warning = MessageText::TitleWarning + QStringLiteral(": ") + MessageText::TemplateNotChosen;
    EXPECT_EQ(messages.texts(), QStringList({warning, warning}));
    EXPECT_TRUE(dialog.txtDescription->text().isEmpty()); // the next showing starts empty

    // A database failure while confirming is told and chooses nothing.
    messages.clear();
    const QVariant failed = choose(1402, [&] {
        db.exec(QStringLiteral("DROP TABLE tblPelikReportTemplate"));
        dialog.cmdPrint->click();
    });
    EXPECT_TRUE(failed.toString().isEmpty());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].title.startsWith(QStringLiteral("خطا ")));
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("tblPelikReportTemplate")));
}
