#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace oruhr {

// The IDs of the ticked documents, one comma-separated list per kind, in the order the rows
// were added; finalisation turns them into one update per kind.
class DocumentIdLists {
public:
    // False for a form type of no known kind: that row is not collected.
    bool append(qint32 formTypeId, const QString &id);
    // One update per kind that has IDs, ordinances first, then loans, funds and group adjustments.
    QStringList statements() const;

private:
    std::array<QString, 4> m_ids;
};

} // namespace oruhr
