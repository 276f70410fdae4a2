#include "common/MessageText.h"
#include "payslips/FormPrint.h"
#include "tests/support/TestKit.h"

using namespace oruhr;
using namespace oruhr::test;

// Choosing and closing are covered by the print runs; here what a clerk trips over.
TEST(FormPrint, ConfirmingWithoutATemplateWarnsAndStaysOpenAndAFailureChoosesNothing)
{
    SeededPayroll db;
    TestSession session;
    ScriptedMessages messages{session.components()};
    session.connectTo(db.connectionString());
    FormPrint dialog{session};
    const auto choose = [&](const std::function<void()> &action) {
        dialog.setFormTypeID(1402);
        if (FillReportTemplates(dialog)) {
            whenModalShown([&](QWidget *) { action(); });
            dialog.exec();
        }
        return dialog.FilePath();
    };
    const QVariant path = choose([&] {
        dialog.txtDescription->setText(QStringLiteral("فيش آذر"));
        dialog.cmbReport->setCurrentIndex(-1);
        dialog.cmdPrint->click();
        EXPECT_TRUE(dialog.isVisible());
        // A template removed from the catalogue since the list was filled is not taken either.
        db.exec(QStringLiteral("DELETE FROM tblPelikReportTemplate WHERE ID = 1"));
        dialog.cmbReport->setCurrentIndex(0);
        dialog.cmdPrint->click();
        EXPECT_EQ(dialog.cmbReport->count(), 1);
        dialog.cmdPrint->click();
    });
    EXPECT_EQ(path, QVariant(QStringLiteral("Reports/any.html")));
    const QString warning = MessageText::TitleWarning + QStringLiteral(": ") + MessageText::TemplateNotChosen;
    EXPECT_EQ(messages.texts(), QStringList({warning, warning}));
    EXPECT_TRUE(dialog.txtDescription->text().isEmpty()); // the next showing starts empty

    messages.clear();
    const QVariant failed = choose([&] {
        db.exec(QStringLiteral("DROP TABLE tblPelikReportTemplate"));
        dialog.cmdPrint->click();
    });
    EXPECT_TRUE(failed.toString().isEmpty());
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("tblPelikReportTemplate")));
}
