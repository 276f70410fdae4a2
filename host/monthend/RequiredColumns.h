#pragma once

#include <QList>
#include <QString>

namespace oruhr {

class DtEn;

// What the month end reads beyond the windows' tables. A customer's database that lacks a
// column is told in the clerk's words, naming it, instead of failing with the driver's text.
class RequiredColumns {
public:
    struct Column {
        const char *table;
        const char *name;
    };

    // Throws ComponentError naming the first column the database lacks.
    static void require(DtEn &dtEn, const QList<Column> &columns);
};

} // namespace oruhr
