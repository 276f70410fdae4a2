#pragma once

#include "documents/DocumentListMode.h"

#include <QString>

namespace oruhr {

// The SQL texts of the document window, concatenated from their fixed pieces.
class DocumentSql {
public:
    // The four kinds of HR document of the period, in one union.
    static QString documentList(DocumentListMode mode, const QString &begin, const QString &end);
    // "Update <table> Set Code=ID Where ID in (ids)"; empty for a form type of no known kind.
    static QString finalize(qint32 formTypeId, const QString &ids);
};

} // namespace oruhr
