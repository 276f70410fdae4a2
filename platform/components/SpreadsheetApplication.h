#pragma once

#include "platform/components/XlsxWorkbook.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace oruhr {

// Stand-in for the spreadsheet application, created as "Excel.Application": a workbook is
// added, cells of its first worksheet are written, and making the application visible saves
// the workbook as an .xlsx file in the temporary folder and opens it with the desktop's
// default application. Failures throw ComponentError 1004 with a Persian description.
class SpreadsheetApplication : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(QString SavedFile READ savedFile)

public:
    static constexpr const char *progId = "Excel.Application";

    // Opens a saved workbook for the user; false when nothing could open it. Tests put a
    // recorder in place, so that no test ever starts a program.
    using Opener = std::function<bool(const QString &file)>;
    static void setOpener(Opener opener);
    static Opener opener();

    Q_INVOKABLE void AddWorkbook();
    // Row and column from 1, in the first worksheet of the first workbook.
    Q_INVOKABLE void SetCellValue(int row, int column, const QVariant &value);

    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    QString savedFile() const { return m_savedFile; }

private:
    std::unique_ptr<XlsxWorkbook> m_workbook;
    bool m_visible = false;
    QString m_savedFile;
};

} // namespace oruhr
