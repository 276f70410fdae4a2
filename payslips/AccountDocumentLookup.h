#pragma once

#include <QString>

#include <optional>

namespace oruhr {

class EmployeeListWindow;

// The payroll accounting document of a month: found by the period's last day, chosen
// among several in the window's FormFormIDs, and opened in the host product's accounting
// component.
class AccountDocumentLookup {
public:
    static constexpr const char *accountingProgId = "comAccountDoc.comAccountDoc1";

    explicit AccountDocumentLookup(EmployeeListWindow &window);

    // The document number as text: "-1" when none qualifies or none was chosen. A database
    // failure is told to the user and gives nothing.
    std::optional<QString> find() const;

    // Tells why the number names no document, or opens the document in the accounting
    // component for the session's user. Failures of the component itself are ignored.
    void open(const QString &documentNumber) const;

private:
    QString lookUp() const;

    EmployeeListWindow &m_window;
};

} // namespace oruhr
