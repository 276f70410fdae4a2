#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace oruhr {

class DtEn;

// The report template catalogue.
class ReportTemplates {
public:
    struct Entry {
        qint32 id = 0;
        QString title;
    };

    // The templates of a form type and those of 1406, for every form, in the database's order.
    // Throws ComponentError.
    static QList<Entry> offeredFor(DtEn &dtEn, qint32 formTypeId);
    // A template's FilePath as stored; nullopt when the row is gone. Throws ComponentError.
    static std::optional<QVariant> filePathOf(DtEn &dtEn, qint32 templateId);
};

} // namespace oruhr
