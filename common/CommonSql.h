#pragma once

#include <QString>

namespace oruhr {

// The SQL texts both windows and the template dialog share.
class CommonSql {
public:
    static QString applicationFolder();  // system parameter 140
    static QString payrollMonthStart();  // system parameter 3450
    static QString reportTemplates(qint32 formTypeId);
    static QString reportTemplate(qint32 templateId);
};

} // namespace oruhr
