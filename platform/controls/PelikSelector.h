#pragma once

#include <QVariant>
#include <QWidget>

class QComboBox;

namespace oruhr {

// A two-level lookup: upper-level entries head groups of lower-level entries, of which
// the user picks one, or "همه" (no selection, meaning all). The entries are read on
// first use from the two views, with the selector's own connection.
//
// Entries by user: when the lower view has a UserID column, a user sees the rows of that
// user and those with no user; otherwise every user sees every entry.
class PelikSelector : public QWidget {
    Q_OBJECT

public:
    explicit PelikSelector(QWidget *parent = nullptr);

    void setConnectionString(const QString &connectionString);
    void setUpperViewName(const QString &view);
    void setLowerViewName(const QString &view);
    void setUser(qint16 user);
    QString connectionString() const { return m_connectionString; }
    QString upperViewName() const { return m_upperView; }
    QString lowerViewName() const { return m_lowerView; }
    qint16 user() const { return m_user; }

    bool isNoSelection() const;
    // The selected entry's ID; 0 when nothing is selected, so that it always converts.
    QVariant selectedId() const;
    // Selects the lower-level entry with this ID (reading the entries if need be); false
    // when there is none. A selection made here raises selectionChanged as the user's does.
    bool selectId(qint32 id);
    void clearSelection();

    // Reads the entries again; a failure leaves one entry that says so.
    void reload();

Q_SIGNALS:
    void selectionChanged();

private:
    void ensureLoaded();
    void invalidate();
    void loadEntries();
    // Raises selectionChanged when the selection differs from the one last announced.
    void announceChange();

    QString m_connectionString;
    QString m_upperView;
    QString m_lowerView;
    qint16 m_user = 0;
    bool m_loaded = false;
    QVariant m_announcedId = 0;
    QComboBox *m_combo;
};

} // namespace oruhr
