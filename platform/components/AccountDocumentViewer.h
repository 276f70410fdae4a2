#pragma once

#include <QObject>
#include <QString>

namespace oruhr {

class AccountDocument;

// Stand-in for the host product's accounting component "comAccountDoc.comAccountDoc1":
// View shows one accounting document, its header and its lines with their totals, in a
// read-only right-to-left window and returns when it is closed. The document is read with
// OLEConnectionString on a connection of the viewer's own; a document that cannot be read
// is told in the window.
class AccountDocumentViewer : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint16 UserID MEMBER m_userId)
    Q_PROPERTY(qint16 PositionID MEMBER m_positionId)
    Q_PROPERTY(qint16 EmployeeID MEMBER m_employeeId)
    Q_PROPERTY(QString OLEConnectionString MEMBER m_connectionString)

public:
    static constexpr const char *progId = "comAccountDoc.comAccountDoc1";

    Q_INVOKABLE void View(double DocumentNumber);

private:
    qint16 m_userId = 0;
    qint16 m_positionId = 0;
    qint16 m_employeeId = 0;
    QString m_connectionString;
};

} // namespace oruhr
