#include "platform/components/SpreadsheetApplication.h"

#include "platform/automation/ComponentError.h"
#include "platform/components/BidiText.h"
#include "platform/components/SpreadsheetErrors.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <QUrl>

namespace oruhr {
namespace {

SpreadsheetApplication::Opener &currentOpener()
{
    static SpreadsheetApplication::Opener opener = [](const QString &file) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    };
    return opener;
}

[[noreturn]] void fail(const QString &description)
{
    throw ComponentError(SpreadsheetErrors::ObjectDefined, description);
}

// A new file that outlives the program: the user keeps working on it.
QString newWorkbookFile()
{
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("employees-XXXXXX.xlsx")));
    file.setAutoRemove(false);
    if (!file.open())
        fail(QStringLiteral("فايل موقت اکسل ساخته نمي شود: ") + file.errorString());
    return file.fileName();
}

} // namespace

void SpreadsheetApplication::setOpener(Opener opener)
{
    currentOpener() = std::move(opener);
}

SpreadsheetApplication::Opener SpreadsheetApplication::opener()
{
    return currentOpener();
}

void SpreadsheetApplication::AddWorkbook()
{
    // One workbook is all the list needs; a second one takes the first one's place.
    m_workbook = std::make_unique<XlsxWorkbook>();
}

void SpreadsheetApplication::SetCellValue(int row, int column, const QVariant &value)
{
    if (!m_workbook)
        fail(QStringLiteral("کارپوشه اي باز نيست."));
    m_workbook->setCell(row, column, value);
}

void SpreadsheetApplication::setVisible(bool visible)
{
    if (!visible || m_visible)
        return;
    if (m_workbook) {
        const QString file = newWorkbookFile();
        m_workbook->save(file);
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner); // the writer may have made it anew
        m_savedFile = file;
        if (!currentOpener()(file))
            fail(QStringLiteral("برنامه اي براي باز کردن فايل اکسل پيدا نشد. فايل در اين مسير ذخيره شده است: ")
                 + leftToRight(file));
    }
    m_visible = true;
}

} // namespace oruhr
