#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace oruhr::db {

// Many rows as one value each column, for PostgreSQL's CAST(? AS BIGINT[]) or TEXT[] and
// unnest(): one statement text, prepared once, for any number of rows.
class ServerArrays {
public:
    static QString of(const QList<qint64> &numbers)
    {
        QStringList elements;
        elements.reserve(numbers.size());
        for (const qint64 number : numbers)
            elements << QString::number(number);
        return braced(elements);
    }

    static QString of(const QStringList &texts)
    {
        QStringList elements;
        elements.reserve(texts.size());
        for (QString text : texts)
            elements << QLatin1Char('"')
                            + text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""))
                            + QLatin1Char('"');
        return braced(elements);
    }

private:
    static QString braced(const QStringList &elements)
    {
        return QLatin1Char('{') + elements.join(QLatin1Char(',')) + QLatin1Char('}');
    }
};

} // namespace oruhr::db
