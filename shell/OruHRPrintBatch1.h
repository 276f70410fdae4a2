#pragma once

#include "shell/ModMain.h"

#include <QVariant>
#include <QWidget>

#include <memory>

namespace oruhr {

class FormCheckDocs;
class FormMain;
class PropertyBag;

// The control a host places on its window. The host sets the signed-in user's values and
// calls one method, which opens a working window modally and returns when it is closed.
// A failure while connecting or while the window initialises is thrown to the host as a
// ComponentError; the window is not shown then.
class OruHRPrintBatch1 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint16 UserID READ UserID WRITE setUserID)
    Q_PROPERTY(qint16 PositionID READ PositionID WRITE setPositionID)
    Q_PROPERTY(QString OLEConnectionString READ OLEConnectionString WRITE setOLEConnectionString)
    Q_PROPERTY(qint16 EmployeeID READ EmployeeID WRITE setEmployeeID)

public:
    static constexpr const char *progId = "OruHRPrintBatch.OruHRPrintBatch1";

    explicit OruHRPrintBatch1(QWidget *parent = nullptr);
    ~OruHRPrintBatch1() override;

    qint16 UserID() const { return m_userId; }
    void setUserID(qint16 value);
    qint16 PositionID() const { return m_positionId; }
    void setPositionID(qint16 value);
    QString OLEConnectionString() const { return m_connectionString; }
    void setOLEConnectionString(const QString &value);
    qint16 EmployeeID() const { return m_employeeId; }
    void setEmployeeID(qint16 value);

    QVariant ClearShow();
    QVariant TempSaveMonthlySalary();
    bool ShowDocs();

    // The stored form: a value equal to its default is left out, a missing one reads as it.
    void readProperties(const PropertyBag &bag);
    void writeProperties(PropertyBag &bag) const;

    // The control's session; the host gives its data environment the procedures a
    // database without its own needs.
    ModMain &session() { return m_session; }
    // The control's one instance of each window, created on first use and kept.
    FormMain &formMain();
    FormCheckDocs &formCheckDocs();

Q_SIGNALS:
    // After a property was set, with its name, so that the host stores its form again.
    void propertyChanged(const QString &name);

private:
    void takeSessionValues();
    QVariant showPayslipWindow(bool printMode);

    qint16 m_userId = 0;
    qint16 m_positionId = 0;
    QString m_connectionString = QStringLiteral("0");
    qint16 m_employeeId = 0;
    // Declared first, so that the windows go before the session they use.
    ModMain m_session;
    std::unique_ptr<FormMain> m_formMain;
    std::unique_ptr<FormCheckDocs> m_formCheckDocs;
};

} // namespace oruhr
