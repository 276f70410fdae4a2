#include "host/monthend/BankTransferFile.h"

#include "host/monthend/MonthEndSql.h"
#include "host/monthend/RequiredColumns.h"
#include "payroll/ShebaNumber.h"
#include "platform/automation/ComponentError.h"
#include "platform/components/XlsxWorkbook.h"
#include "shell/ModMain.h"

#include <QSaveFile>

namespace oruhr {
namespace {

const QString totalCaption = QStringLiteral("جمع");

// A CSV field in quotes when it holds a separator, a quote or a line break.
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QStringList fieldsOf(const BankTransferFile::Row &row)
{
    return {row.shebaNumber, QString::number(row.netPay), row.firstName, row.surname, row.nationalCode,
            row.payslipCode};
}

} // namespace

BankTransferFile::BankTransferFile(ModMain &session, MonthEndPeriod period)
    : m_session(session)
    , m_period(period)
{
}

QStringList BankTransferFile::header()
{
    return {QStringLiteral("شماره شبا"), QStringLiteral("مبلغ (ريال)"), QStringLiteral("نام"),
            QStringLiteral("نام خانوادگي"), QStringLiteral("کد ملي"), QStringLiteral("شماره فيش")};
}

void BankTransferFile::read()
{
    DtEn &dtEn = m_session.dtEn();
    RequiredColumns::require(dtEn, {{"tblEmployee", "ShebaNumber"}, {"tblEmployee", "NationalCode"},
                                    {"tblHRMonthlySalaryDetail", "Kind"}});
    db::Recordset recordset =
        dtEn.query(MonthEndSql::bankTransfers(dtEn.dateLiteral(m_period.begin), dtEn.dateLiteral(m_period.end)));
    m_rows.clear();
    m_leftOut.clear();
    m_withoutNetPay = 0;
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        const Row row{recordset.field(QStringLiteral("ShebaNumber")).toString().trimmed(),
                      recordset.field(QStringLiteral("NetPay")).toLongLong(),
                      recordset.field(QStringLiteral("FirstName")).toString(),
                      recordset.field(QStringLiteral("SureName")).toString(),
                      recordset.field(QStringLiteral("NationalCode")).toString(),
                      recordset.field(QStringLiteral("Code")).toString(),
                      recordset.field(QStringLiteral("EmployeeCode")).toString()};
        if (row.netPay <= 0) {
            ++m_withoutNetPay;
            continue;
        }
        const payroll::ShebaNumber::Problem problem = payroll::ShebaNumber::check(row.shebaNumber);
        if (problem == payroll::ShebaNumber::Problem::None)
            m_rows.append(row);
        else
            m_leftOut.append({row, payroll::ShebaNumber::describe(problem)});
    }
}

qint64 BankTransferFile::total() const
{
    qint64 sum = 0;
    for (const Row &row : m_rows)
        sum += row.netPay;
    return sum;
}

void BankTransferFile::save(const QString &file) const
{
    if (file.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        saveXlsx(file);
    else
        saveCsv(file);
}

void BankTransferFile::saveCsv(const QString &file) const
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("فايل بانک نوشته نشد: ") + file + QStringLiteral(" (") + out.errorString()
                                 + QLatin1Char(')'));
    // The byte order mark tells a spreadsheet program the text is UTF-8.
    QByteArray text("\xEF\xBB\xBF");
    const auto line = [&text](const QStringList &fields) {
        QStringList quoted;
        for (const QString &field : fields)
            quoted << csvField(field);
        text += quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
    };
    line(header());
    for (const Row &row : m_rows)
        line(fieldsOf(row));
    line({totalCaption, QString::number(total())});
    out.write(text);
    if (!out.commit())
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("فايل بانک نوشته نشد: ") + file + QStringLiteral(" (") + out.errorString()
                                 + QLatin1Char(')'));
}

void BankTransferFile::saveXlsx(const QString &file) const
{
    XlsxWorkbook workbook;
    const auto line = [&workbook](int row, const QStringList &fields) {
        for (qsizetype column = 0; column < fields.size(); ++column)
            workbook.setCell(row, int(column) + 1, fields[column]);
    };
    int row = 1;
    line(row++, header());
    for (const Row &transfer : m_rows)
        line(row++, fieldsOf(transfer));
    line(row, {totalCaption, QString::number(total())});
    workbook.save(file);
}

} // namespace oruhr
