#include "host/monthend/MonthEndBatch.h"

#include "host/monthend/MonthEndLog.h"
#include "payslips/PayslipSql.h"
#include "platform/automation/ComponentError.h"
#include "shell/ModMain.h"

#include <QRegularExpression>

namespace oruhr {
namespace {

QString filterOf(const std::optional<int> &id, const char *column)
{
    return id ? QLatin1String(column) + QLatin1Char('=') + QString::number(*id) : QStringLiteral("1=1");
}

// "5,7-9" into the IDs; false on anything else.
bool readIds(const QString &text, QSet<qint32> &ids)
{
    static const QRegularExpression piece(QStringLiteral("^(\\d{1,9})(?:-(\\d{1,9}))?$"));
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = piece.match(part);
        if (!match.hasMatch())
            return false;
        const qint32 from = match.captured(1).toInt();
        const qint32 to = match.captured(2).isEmpty() ? from : match.captured(2).toInt();
        if (to < from || to - from > 1'000'000)
            return false;
        for (qint32 id = from; id <= to; ++id)
            ids.insert(id);
    }
    return !ids.isEmpty();
}

} // namespace

std::optional<MonthEndBatch::Filter> MonthEndBatch::Filter::parse(const QString &text, QString &error)
{
    Filter filter;
    static const QRegularExpression separators(QStringLiteral("[\\s;]+"));
    for (const QString &term : text.split(separators, Qt::SkipEmptyParts)) {
        const qsizetype equals = term.indexOf(QLatin1Char('='));
        const QString key = term.left(equals).toLower().remove(QLatin1Char('-'));
        const QString value = equals < 0 ? QString() : term.mid(equals + 1);
        bool ok = false;
        const int id = value.toInt(&ok);
        if (key == QLatin1String("ids") && readIds(value, filter.ids))
            continue;
        if (ok && key == QLatin1String("branch"))
            filter.branch = id;
        else if (ok && key == QLatin1String("costcentre"))
            filter.costCentre = id;
        else if (ok && key == QLatin1String("recruitment"))
            filter.recruitmentType = id;
        else {
            error = QStringLiteral("فيلتر «%1» خوانده نشد؛ نمونه: branch=11 costcentre=31 recruitment=21 ids=5,7-9")
                        .arg(term);
            return std::nullopt;
        }
    }
    return filter;
}

MonthEndBatch::MonthEndBatch(ModMain &session, PayslipBatchKind kind, MonthEndPeriod period, Filter filter)
    : m_session(session)
    , m_step(PayslipBatchStep::of(kind))
    , m_period(period)
    , m_filter(std::move(filter))
{
}

EmployeeListMode MonthEndBatch::listedFor(PayslipBatchKind kind)
{
    switch (kind) {
    case PayslipBatchKind::TempSave:
        return EmployeeListMode::WithoutPayslip;
    case PayslipBatchKind::BackToTemp:
        return EmployeeListMode::FinalSaved;
    case PayslipBatchKind::Calc:
    case PayslipBatchKind::Finalize:
    case PayslipBatchKind::Delete:
        return EmployeeListMode::TempSaved;
    }
    Q_UNREACHABLE();
}

QList<EmployeeRow> MonthEndBatch::employees() const
{
    DtEn &dtEn = m_session.dtEn();
    db::Recordset recordset = dtEn.query(PayslipSql::employeeList(
        listedFor(m_step.kind), dtEn.dateLiteral(m_period.begin), dtEn.dateLiteral(m_period.end),
        filterOf(m_filter.branch, "BranchID"), filterOf(m_filter.recruitmentType, "RecruitmentTypeID"),
        filterOf(m_filter.costCentre, "PositionID")));
    const int id = recordset.fieldIndex(QStringLiteral("ID")), code = recordset.fieldIndex(QStringLiteral("Code")),
              firstName = recordset.fieldIndex(QStringLiteral("FirstName")),
              surname = recordset.fieldIndex(QStringLiteral("SureName"));
    QList<EmployeeRow> rows;
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        const EmployeeRow row{recordset.field(id).toInt(), recordset.field(code).toString(),
                              recordset.field(firstName).toString(), recordset.field(surname).toString(), true};
        if (m_filter.ids.isEmpty() || m_filter.ids.contains(row.id))
            rows.append(row);
    }
    return rows;
}

MonthEndBatch::Result MonthEndBatch::run(const Progress &progress) const
{
    const QList<EmployeeRow> rows = employees();
    Result result;
    result.listed = int(rows.size());
    QString finalizedIds;
    for (const EmployeeRow &row : rows) {
        try {
            const qint32 value = m_step.applyTo(m_session, row.id, m_period.begin, m_period.end);
            if (m_step.issuesAccountDocument && value != 0)
                finalizedIds += (finalizedIds.isEmpty() ? QString() : QStringLiteral(",")) + QString::number(row.id);
        } catch (const ComponentError &error) {
            qCWarning(lcMonthEnd) << "the run stopped at employee" << row.id << error.number() << error.description();
            result.failedAt = row;
            result.failure = error.description();
            return result;
        }
        ++result.done;
        if (progress)
            progress(result.done, result.listed, row);
    }
    if (m_step.issuesAccountDocument)
        result.document = PayslipBatchStep::issueAccountDocument(m_session, m_period.end, finalizedIds);
    return result;
}

} // namespace oruhr
