#include "payroll/storage/PayrollPosting.h"

#include "platform/database/StatementCache.h"
#include "platform/database/SystemIds.h"
#include "payroll/FactorRule.h"
#include "payroll/storage/WriteLocks.h"

#include <QCalendar>
#include <QHash>

#include <algorithm>
#include <numeric>
#include <tuple>

namespace oruhr::payroll {
namespace {

struct Share {
    qsizetype line; // index into the document's lines
    qint64 debit;
    qint64 credit;
};

QString netPay()
{
    return QStringLiteral("خالص حقوق پرداختني");
}

struct DocumentLine {
    QString description;
    qint64 debit = 0;
    qint64 credit = 0;
    qint64 id = 0;
};

// The document's lines by description, with every payslip's share of them.
class DocumentBuilder {
public:
    void add(qint64 payslipId, const QString &description, qint64 debit, qint64 credit)
    {
        if (debit == 0 && credit == 0)
            return;
        auto found = m_index.constFind(description);
        if (found == m_index.cend()) {
            found = m_index.insert(description, m_lines.size());
            m_lines.append({description});
        }
        m_lines[*found].debit += debit;
        m_lines[*found].credit += credit;
        QList<Share> &shares = m_shares[payslipId];
        const auto share = std::find_if(shares.begin(), shares.end(),
                                        [&](const Share &existing) { return existing.line == *found; });
        if (share == shares.end()) {
            shares.append({*found, debit, credit});
        } else {
            share->debit += debit;
            share->credit += credit;
        }
    }

    // Expenses by cost centre and factor first, then what is owed, net pay last.
    void sortForReading()
    {
        QList<qsizetype> order(m_lines.size());
        std::iota(order.begin(), order.end(), 0);
        const auto key = [this](qsizetype line) {
            const DocumentLine &l = m_lines[line];
            return std::make_tuple(l.debit == 0, l.description == netPay(), l.description);
        };
        std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return key(a) < key(b); });
        QList<qsizetype> position(m_lines.size());
        QList<DocumentLine> sorted;
        for (qsizetype i = 0; i < order.size(); ++i) {
            position[order[i]] = i;
            sorted.append(m_lines[order[i]]);
        }
        m_lines = sorted;
        for (QList<Share> &shares : m_shares)
            for (Share &share : shares)
                share.line = position[share.line];
    }

    QList<DocumentLine> &lines() { return m_lines; }
    const QHash<qint64, QList<Share>> &shares() const { return m_shares; }

private:
    QList<DocumentLine> m_lines;
    QHash<QString, qsizetype> m_index;
    QHash<qint64, QList<Share>> m_shares;
};

QString withCentre(const QString &text, const QString &centre)
{
    return centre.isEmpty() ? text : text + QStringLiteral(" - ") + centre;
}

// Where a computed deduction or an employer's contribution is owed.
QString payableOf(FactorMethod method, const QString &name)
{
    switch (method) {
    case FactorMethod::EmployeeInsurance:
    case FactorMethod::EmployerInsurance:
        return QStringLiteral("حق بيمه پرداختني");
    case FactorMethod::IncomeTax:
        return QStringLiteral("ماليات حقوق پرداختني");
    case FactorMethod::LoanInstalments:
        return QStringLiteral("اقساط وام کارکنان");
    case FactorMethod::FundContributions:
        return QStringLiteral("صندوق کارکنان");
    default:
        return name + QStringLiteral(" پرداختني");
    }
}

} // namespace

PayrollPosting::PayrollPosting(db::StatementCache &statements)
    : m_statements(statements)
{
}

qint64 PayrollPosting::post(const QList<qint64> &payslipIds, qint64 creatorId, QDate documentDate) const
{
    if (payslipIds.isEmpty())
        return 0;
    DocumentBuilder document;
    for (const qint64 payslipId : payslipIds) {
        qint64 net = 0;
        // Each line as it was computed: a later change of the factor's rule does not move it.
        db::StatementRows lines = m_statements.run(
            QStringLiteral("SELECT d.Kind, d.Method, d.Amount, coalesce(f.Name, ''), coalesce(c.Title, '') "
                           "FROM tblHRMonthlySalaryDetail d JOIN tblHRMonthlySalary s ON s.ID = d.MonthlySalaryID "
                           "LEFT JOIN tblPelikMFunction f ON f.ID = d.FunctionID "
                           "LEFT JOIN tblHROrdinance o ON o.ID = s.OrdinanceID "
                           "LEFT JOIN tblAccountCostCenter c ON c.ID = o.PositionID "
                           "WHERE d.MonthlySalaryID = ? ORDER BY d.ID"),
            {payslipId});
        while (lines.next()) {
            const FactorMethod method = FactorMethod(lines.integer(1));
            const qint64 amount = lines.integer(2);
            const QString name = lines.value(3).toString(), centre = lines.value(4).toString();
            switch (FactorKind(lines.integer(0))) {
            case FactorKind::Earning:
                net += amount;
                document.add(payslipId, withCentre(QStringLiteral("هزينه ") + name, centre), amount, 0);
                break;
            case FactorKind::EmployerContribution:
                document.add(payslipId, withCentre(QStringLiteral("هزينه ") + name, centre), amount, 0);
                document.add(payslipId, payableOf(method, name), 0, amount);
                break;
            case FactorKind::Deduction:
                net -= amount;
                // An entered deduction (absence) lessens the expense; a computed one is owed.
                document.add(payslipId,
                             FactorRule::isEnteredMethod(method) ? withCentre(name, centre) : payableOf(method, name), 0,
                             amount);
                break;
            }
        }
        document.add(payslipId, netPay(), 0, net);
    }

    const qint64 code = WriteLocks(m_statements).nextNumber(WriteLocks::Numbering::Documents);
    const qint64 documentId = m_statements
                                  .insert(QStringLiteral("INSERT INTO tblAccountDocument (Code, DocumentDate, "
                                                         "Description, CreatorID) VALUES (?, ?, ?, ?) RETURNING ID"),
                                          {QString::number(code), documentDate.toString(Qt::ISODate),
                                           QStringLiteral("سند فيش حقوق ماه ")
                                               + documentDate.toString(u"yyyy/MM", QCalendar(QCalendar::System::Jalali)),
                                           creatorId});
    document.sortForReading();
    for (DocumentLine &line : document.lines())
        line.id = m_statements
                      .insert(QStringLiteral("INSERT INTO tblAccountDocumentDetail (DocumentID, FormTypeID, "
                                             "TransactionDate, Debit, Credit, Description) VALUES (?, %1, ?, ?, ?, ?) "
                                             "RETURNING ID")
                                  .arg(ids::PayslipForm),
                              {documentId, documentDate.toString(Qt::ISODate), line.debit, line.credit, line.description});
    for (auto share = document.shares().cbegin(); share != document.shares().cend(); ++share)
        for (const Share &part : share.value())
            m_statements.execute(QStringLiteral("INSERT INTO tblHRMonthlySalaryPosting (MonthlySalaryID, "
                                                "AccountDocumentDetailID, Debit, Credit) VALUES (?, ?, ?, ?)"),
                                 {share.key(), document.lines()[part.line].id, part.debit, part.credit});
    return documentId;
}

void PayrollPosting::withdraw(qint64 payslipId) const
{
    struct Part {
        qint64 lineId, debit, credit, documentId;
    };
    QList<Part> parts;
    {
        db::StatementRows rows = m_statements.run(
            QStringLiteral("SELECT p.AccountDocumentDetailID, p.Debit, p.Credit, a.DocumentID "
                           "FROM tblHRMonthlySalaryPosting p JOIN tblAccountDocumentDetail a ON a.ID = "
                           "p.AccountDocumentDetailID WHERE p.MonthlySalaryID = ?"),
            {payslipId});
        while (rows.next())
            parts.append({rows.integer(0), rows.integer(1), rows.integer(2), rows.integer(3)});
    }
    m_statements.execute(QStringLiteral("DELETE FROM tblHRMonthlySalaryPosting WHERE MonthlySalaryID = ?"), {payslipId});
    for (const Part &part : parts) {
        m_statements.execute(
            QStringLiteral("UPDATE tblAccountDocumentDetail SET Debit = Debit - ?, Credit = Credit - ? WHERE ID = ?"),
            {part.debit, part.credit, part.lineId});
        m_statements.execute(QStringLiteral("DELETE FROM tblAccountDocumentDetail WHERE ID = ? AND NOT EXISTS "
                                            "(SELECT 1 FROM tblHRMonthlySalaryPosting WHERE AccountDocumentDetailID = ?)"),
                             {part.lineId, part.lineId});
        m_statements.execute(QStringLiteral("DELETE FROM tblAccountDocument WHERE ID = ? AND NOT EXISTS "
                                            "(SELECT 1 FROM tblAccountDocumentDetail WHERE DocumentID = ?)"),
                             {part.documentId, part.documentId});
    }
}

} // namespace oruhr::payroll
