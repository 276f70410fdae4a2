#include "platform/automation/ComponentError.h"
#include "platform/automation/Dispatch.h"
#include "platform/components/SpreadsheetApplication.h"
#include "tests/support/ErrorNumber.h"
#include "tests/support/ScopedTempFolder.h"
#include "tests/support/XlsxCells.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace oruhr;
using namespace oruhr::test;

namespace {

// Records what would have been opened; never starts a program.
class OpenedFiles {
public:
    explicit OpenedFiles(bool opens = true)
        : m_previous(SpreadsheetApplication::opener())
    {
        SpreadsheetApplication::setOpener([this, opens](const QString &file) {
            files << file;
            return opens;
        });
    }
    ~OpenedFiles() { SpreadsheetApplication::setOpener(m_previous); }

    QStringList files;

private:
    SpreadsheetApplication::Opener m_previous;
};

QString showCells(SpreadsheetApplication &application, const QList<QVariantList> &cells)
{
    Dispatch::call(application, "AddWorkbook");
    for (const QVariantList &cell : cells)
        Dispatch::call(application, "SetCellValue", cell);
    Dispatch::setProperty(application, "Visible", true);
    return Dispatch::property(application, "SavedFile").toString();
}

} // namespace

TEST(SpreadsheetApplication, VisibleSavesTheWorkbookAndOpensIt)
{
    ScopedTempFolder temp;
    OpenedFiles opened;
    SpreadsheetApplication application;
    const QString file = showCells(application, {{1, 1, QStringLiteral("1001")},
                                                 {1, 2, QStringLiteral("مريم")},
                                                 {1, 3, QStringLiteral("رضايي")},
                                                 {2, 1, QStringLiteral("0042")},
                                                 {2, 3, QStringLiteral("O'Neil & <Co>")}});
    EXPECT_EQ(opened.files, QStringList({file}));
    EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
    EXPECT_EQ(QFileInfo(file).suffix(), QStringLiteral("xlsx"));

    const QMap<QString, QString> cells = readXlsxCells(file);
    EXPECT_EQ(cells, (QMap<QString, QString>{{QStringLiteral("A1"), QStringLiteral("1001")},
                                             {QStringLiteral("B1"), QStringLiteral("مريم")},
                                             {QStringLiteral("C1"), QStringLiteral("رضايي")},
                                             {QStringLiteral("A2"), QStringLiteral("0042")},
                                             {QStringLiteral("C2"), QStringLiteral("O'Neil & <Co>")}}));
}

TEST(SpreadsheetApplication, FailuresCarryADescription)
{
    ScopedTempFolder temp;
    {
        SpreadsheetApplication application;
        EXPECT_EQ(errorNumber([&] { Dispatch::call(application, "SetCellValue", {1, 1, QStringLiteral("x")}); }), 1004);
        Dispatch::call(application, "AddWorkbook");
        EXPECT_EQ(errorNumber([&] { Dispatch::call(application, "SetCellValue", {0, 1, QStringLiteral("x")}); }), 1004);
    }
    OpenedFiles nothingOpens(false);
    SpreadsheetApplication application;
    try {
        showCells(application, {{1, 1, QStringLiteral("x")}});
        ADD_FAILURE() << "expected a failure";
    } catch (const ComponentError &error) {
        EXPECT_EQ(error.number(), 1004);
        EXPECT_TRUE(error.description().contains(nothingOpens.files.value(0))); // tells where the file is
    }
}
