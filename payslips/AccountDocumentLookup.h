#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace oruhr {

// The payroll accounting document of a month: found by the period's last day, chosen
// among several in FormFormIDs, and opened in the host product's accounting component.
class AccountDocumentLookup {
public:
    static constexpr qint32 payslipFormType = 1402;
    static constexpr const char *accountingProgId = "comAccountDoc.comAccountDoc1";

    // The document number as text: "-1" when none qualifies or none was chosen. A database
    // failure is told to the user and gives nothing.
    static std::optional<QString> find(const QDate &endDate);

    // Tells why the number names no document, or opens the document in the accounting
    // component for the session's user. Failures of the component itself are ignored.
    static void open(const QString &documentNumber);
};

} // namespace oruhr
