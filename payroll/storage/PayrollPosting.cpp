#include "payroll/storage/PayrollPosting.h"

#include "platform/database/ServerArrays.h"
#include "platform/database/StatementCache.h"
#include "platform/database/SystemIds.h"
#include "payroll/FactorRule.h"
#include "payroll/storage/WriteLocks.h"

#include <QCalendar>
#include <QHash>
#include <QSqlDriver>
#include <QStringList>

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

// On a server every statement is a round trip: IDs go in lists of a fixed length, so that one
// prepared text serves any number; the places left over hold NULL, which matches nothing.
constexpr int listLength = 500;

template<typename Row>
void forIdLists(db::StatementCache &statements, const QString &sqlWithList, const QList<qint64> &ids,
                const QVariantList &after, Row &&row)
{
    static const QString places = QStringList(listLength, QStringLiteral("?")).join(QStringLiteral(", "));
    const QString sql = sqlWithList.arg(places);
    for (qsizetype from = 0; from < ids.size(); from += listLength) {
        QVariantList values;
        for (qsizetype i = from; i < from + listLength; ++i)
            values << (i < ids.size() ? QVariant(ids[i]) : QVariant(QMetaType::fromType<qint64>()));
        for (db::StatementRows rows = statements.run(sql, values + after); rows.next();)
            row(rows);
    }
}

// A payslip line's shares of the document's lines; the net pay it adds or takes.
qint64 addLine(DocumentBuilder &document, qint64 payslipId, const db::StatementRows &line)
{
    const FactorMethod method = FactorMethod(line.integer(2));
    const qint64 amount = line.integer(3);
    const QString name = line.value(4).toString(), centre = line.value(5).toString();
    switch (FactorKind(line.integer(1))) {
    case FactorKind::Earning:
        document.add(payslipId, withCentre(QStringLiteral("هزينه ") + name, centre), amount, 0);
        return amount;
    case FactorKind::EmployerContribution:
        document.add(payslipId, withCentre(QStringLiteral("هزينه ") + name, centre), amount, 0);
        document.add(payslipId, payableOf(method, name), 0, amount);
        return 0;
    case FactorKind::Deduction:
        // An entered deduction (absence) lessens the expense; a computed one is owed.
        document.add(payslipId, FactorRule::isEnteredMethod(method) ? withCentre(name, centre) : payableOf(method, name),
                     0, amount);
        return -amount;
    }
    return 0;
}

// Each line as it was computed: a later change of the factor's rule does not move it.
DocumentBuilder documentOf(db::StatementCache &statements, const QList<qint64> &payslipIds)
{
    DocumentBuilder document;
    QHash<qint64, qint64> nets;
    forIdLists(statements,
               QStringLiteral("SELECT d.MonthlySalaryID, d.Kind, d.Method, d.Amount, coalesce(f.Name, ''), "
                              "coalesce(c.Title, '') FROM tblHRMonthlySalaryDetail d JOIN tblHRMonthlySalary s ON "
                              "s.ID = d.MonthlySalaryID LEFT JOIN tblPelikMFunction f ON f.ID = d.FunctionID "
                              "LEFT JOIN tblHROrdinance o ON o.ID = s.OrdinanceID "
                              "LEFT JOIN tblAccountCostCenter c ON c.ID = o.PositionID "
                              "WHERE d.MonthlySalaryID IN (%1) ORDER BY d.MonthlySalaryID, d.ID"),
               payslipIds, {}, [&](const db::StatementRows &line) {
                   const qint64 payslipId = line.integer(0);
                   nets[payslipId] += addLine(document, payslipId, line);
               });
    for (const qint64 payslipId : payslipIds)
        document.add(payslipId, netPay(), 0, nets.value(payslipId));
    return document;
}

const QString documentColumns =
    QStringLiteral("tblAccountDocument (Code, DocumentDate, Description, CreatorID)");

// The document with its number, taken and given in one statement.
qint64 insertDocumentOnServer(db::StatementCache &statements, const QVariantList &header)
{
    static const QString sql = QStringLiteral("WITH n AS (%1) INSERT INTO %2 SELECT CAST(n.LastNumber AS TEXT), ?, ?, ? "
                                              "FROM n RETURNING ID")
                                    .arg(WriteLocks::nextNumberSql(WriteLocks::Numbering::Documents), documentColumns);
    return statements.scalar(sql, QVariantList{int(WriteLocks::Numbering::Documents)} + header).toLongLong();
}

// Every line, numbered in reading order, and every payslip's share of them, in one statement:
// a share finds its line by the line's description, which is the document's key.
void writeLinesOnServer(db::StatementCache &statements, qint64 documentId, QDate documentDate,
                        DocumentBuilder &document)
{
    static const QString sql =
        QStringLiteral("WITH x AS (SELECT * FROM unnest(CAST(? AS BIGINT[]), CAST(? AS BIGINT[]), CAST(? AS TEXT[])) "
                       "WITH ORDINALITY AS x(Debit, Credit, Description, n)), "
                       "l AS (INSERT INTO tblAccountDocumentDetail (DocumentID, FormTypeID, TransactionDate, Debit, "
                       "Credit, Description) SELECT ?, %1, ?, Debit, Credit, Description FROM x ORDER BY n "
                       "RETURNING ID, Description) "
                       "INSERT INTO tblHRMonthlySalaryPosting (MonthlySalaryID, AccountDocumentDetailID, Debit, Credit) "
                       "SELECT s.p, l.ID, s.d, s.c FROM unnest(CAST(? AS BIGINT[]), CAST(? AS BIGINT[]), "
                       "CAST(? AS BIGINT[]), CAST(? AS BIGINT[])) AS s(p, n, d, c) JOIN x ON x.n = s.n "
                       "JOIN l ON l.Description = x.Description")
            .arg(ids::PayslipForm);
    QList<qint64> debits, credits, payslips, lines, shareDebits, shareCredits;
    QStringList descriptions;
    for (const DocumentLine &line : document.lines()) {
        debits << line.debit;
        credits << line.credit;
        descriptions << line.description;
    }
    for (auto share = document.shares().cbegin(); share != document.shares().cend(); ++share)
        for (const Share &part : share.value()) {
            payslips << share.key();
            lines << part.line + 1;
            shareDebits << part.debit;
            shareCredits << part.credit;
        }
    using db::ServerArrays;
    statements.execute(sql, {ServerArrays::of(debits), ServerArrays::of(credits), ServerArrays::of(descriptions),
                             documentId, documentDate.toString(Qt::ISODate), ServerArrays::of(payslips),
                             ServerArrays::of(lines), ServerArrays::of(shareDebits), ServerArrays::of(shareCredits)});
}

} // namespace

PayrollPosting::PayrollPosting(db::StatementCache &statements)
    : m_statements(statements)
    , m_server(statements.database().driver()->dbmsType() == QSqlDriver::PostgreSQL)
{
}

QList<qint64> PayrollPosting::unposted(const QList<qint64> &employeeIds, QDate from, QDate to) const
{
    QList<qint64> payslips;
    forIdLists(m_statements,
               QStringLiteral("SELECT s.ID FROM tblHRMonthlySalary s WHERE s.EmployeeID IN (%1) AND s.Code IS NOT NULL "
                              "AND NOT (s.EndDate < ? OR s.BeginDate > ?) AND NOT EXISTS (SELECT 1 FROM "
                              "tblHRMonthlySalaryPosting p WHERE p.MonthlySalaryID = s.ID) ORDER BY s.ID"),
               employeeIds, {from.toString(Qt::ISODate), to.toString(Qt::ISODate)},
               [&](const db::StatementRows &row) { payslips << row.integer(0); });
    return payslips;
}

qint64 PayrollPosting::post(const QList<qint64> &payslipIds, qint64 creatorId, QDate documentDate) const
{
    if (payslipIds.isEmpty())
        return 0;
    DocumentBuilder document = documentOf(m_statements, payslipIds);
    document.sortForReading();
    const QVariantList header{documentDate.toString(Qt::ISODate),
                              QStringLiteral("سند فيش حقوق ماه ")
                                  + documentDate.toString(u"yyyy/MM", QCalendar(QCalendar::System::Jalali)),
                              creatorId};
    if (m_server) {
        const qint64 documentId = insertDocumentOnServer(m_statements, header);
        writeLinesOnServer(m_statements, documentId, documentDate, document);
        return documentId;
    }
    const qint64 code = WriteLocks(m_statements).nextNumber(WriteLocks::Numbering::Documents);
    const qint64 documentId = m_statements.insert(
        QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?, ?) RETURNING ID").arg(documentColumns),
        QVariantList{QString::number(code)} + header);
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

// The payslip's shares come off their lines; lines no other payslip shares go, and then
// documents left without lines.
void PayrollPosting::withdraw(qint64 payslipId) const
{
    QList<qint64> documents;
    for (db::StatementRows rows = m_statements.run(
             QStringLiteral("SELECT DISTINCT a.DocumentID FROM tblHRMonthlySalaryPosting p JOIN tblAccountDocumentDetail "
                            "a ON a.ID = p.AccountDocumentDetailID WHERE p.MonthlySalaryID = ?"),
             {payslipId});
         rows.next();)
        documents << rows.integer(0);
    m_statements.execute(
        QStringLiteral("UPDATE tblAccountDocumentDetail SET Debit = Debit - (SELECT p.Debit FROM "
                       "tblHRMonthlySalaryPosting p WHERE p.MonthlySalaryID = ? AND p.AccountDocumentDetailID = "
                       "tblAccountDocumentDetail.ID), Credit = Credit - (SELECT p.Credit FROM tblHRMonthlySalaryPosting "
                       "p WHERE p.MonthlySalaryID = ? AND p.AccountDocumentDetailID = tblAccountDocumentDetail.ID) "
                       "WHERE ID IN (SELECT AccountDocumentDetailID FROM tblHRMonthlySalaryPosting WHERE "
                       "MonthlySalaryID = ?)"),
        {payslipId, payslipId, payslipId});
    m_statements.execute(
        QStringLiteral("DELETE FROM tblAccountDocumentDetail WHERE ID IN (SELECT AccountDocumentDetailID FROM "
                       "tblHRMonthlySalaryPosting WHERE MonthlySalaryID = ?) AND NOT EXISTS (SELECT 1 FROM "
                       "tblHRMonthlySalaryPosting q WHERE q.AccountDocumentDetailID = tblAccountDocumentDetail.ID AND "
                       "q.MonthlySalaryID <> ?)"),
        {payslipId, payslipId});
    m_statements.execute(QStringLiteral("DELETE FROM tblHRMonthlySalaryPosting WHERE MonthlySalaryID = ?"), {payslipId});
    for (const qint64 documentId : documents)
        m_statements.execute(QStringLiteral("DELETE FROM tblAccountDocument WHERE ID = ? AND NOT EXISTS "
                                            "(SELECT 1 FROM tblAccountDocumentDetail WHERE DocumentID = ?)"),
                             {documentId, documentId});
}

} // namespace oruhr::payroll
