#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <optional>

namespace oruhr {

// One row of a report's data: values by case-insensitive column name.
class ReportRecord {
public:
    ReportRecord() = default;
    ReportRecord(QStringList names, QVariantList values);

    // nullopt when the record has no column of that name; a NULL is an invalid QVariant.
    std::optional<QVariant> value(const QString &name) const;

private:
    QStringList m_names;
    QVariantList m_values;
};

} // namespace oruhr
