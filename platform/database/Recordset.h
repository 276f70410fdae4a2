#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace oruhr::db {

class Connection;

// The result set of one query on a connection, its own guard: it is closed when it goes.
// Opening fetches every row, so the record count is exact at once; a statement that returns
// no rows leaves the recordset closed. A NULL field reads as an invalid QVariant,
// distinguishable from an empty text.
class Recordset {
public:
    explicit Recordset(Connection &connection);
    ~Recordset() { close(); }
    Recordset(Recordset &&) = default;
    Recordset &operator=(Recordset &&) = default;
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    // Closes first if open; throws ComponentError when the statement fails.
    void open(const QString &sql);
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const;
    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveNext();

    // The current record's value of a column, by case-insensitive name.
    QVariant field(const QString &name) const;
    QStringList fieldNames() const { return m_columns; }
    // For reading many rows: the column's position once, then values by position.
    int fieldIndex(const QString &name) const;
    QVariant field(int index) const;

private:
    void requireOpen() const;

    Connection *m_connection;
    bool m_open = false;
    QStringList m_columns;
    QHash<QString, int> m_columnIndex;
    QVariantList m_values; // row after row, m_columns.size() values each
    qsizetype m_rowCount = 0;
    qsizetype m_position = 0;
};

} // namespace oruhr::db
