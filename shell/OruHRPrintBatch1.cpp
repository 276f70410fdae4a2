#include "shell/OruHRPrintBatch1.h"

#include "documents/FormCheckDocs.h"
#include "payslips/FormMain.h"
#include "shell/PropertyBag.h"
#include "shell/ShellLog.h"

#include <QHBoxLayout>
#include <QLabel>

#include <limits>

namespace oruhr {
namespace {

const QString defaultConnectionString = QStringLiteral("0");

// A stored value that is no 16-bit number reads as the default rather than wrapping round.
qint16 shortProperty(const PropertyBag &bag, const QString &name)
{
    bool ok = false;
    const int value = bag.readProperty(name, 0).toInt(&ok);
    return ok && value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max()
               ? qint16(value)
               : qint16(0);
}

} // namespace

OruHRPrintBatch1::OruHRPrintBatch1(QWidget *parent)
    : QWidget(parent)
{
    auto *name = new QLabel(QStringLiteral("OruHRPrintBatch1"), this);
    name->setFrameShape(QFrame::StyledPanel);
    name->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(name);
}

OruHRPrintBatch1::~OruHRPrintBatch1() = default;

void OruHRPrintBatch1::setUserID(qint16 value)
{
    m_userId = value;
    Q_EMIT propertyChanged(QStringLiteral("UserID"));
}

void OruHRPrintBatch1::setPositionID(qint16 value)
{
    m_positionId = value;
    Q_EMIT propertyChanged(QStringLiteral("PositionID"));
}

void OruHRPrintBatch1::setOLEConnectionString(const QString &value)
{
    m_connectionString = value;
    Q_EMIT propertyChanged(QStringLiteral("OLEConnectionString"));
}

void OruHRPrintBatch1::setEmployeeID(qint16 value)
{
    m_employeeId = value;
    Q_EMIT propertyChanged(QStringLiteral("EmployeeID"));
}

void OruHRPrintBatch1::readProperties(const PropertyBag &bag)
{
    m_userId = shortProperty(bag, QStringLiteral("UserID"));
    m_positionId = shortProperty(bag, QStringLiteral("PositionID"));
    m_connectionString = bag.readProperty(QStringLiteral("OLEConnectionString"), defaultConnectionString).toString();
    m_employeeId = shortProperty(bag, QStringLiteral("EmployeeID"));
}

void OruHRPrintBatch1::writeProperties(PropertyBag &bag) const
{
    bag.writeProperty(QStringLiteral("UserID"), m_userId, 0);
    bag.writeProperty(QStringLiteral("PositionID"), m_positionId, 0);
    bag.writeProperty(QStringLiteral("OLEConnectionString"), m_connectionString, defaultConnectionString);
    bag.writeProperty(QStringLiteral("EmployeeID"), m_employeeId, 0);
}

FormMain &OruHRPrintBatch1::formMain()
{
    // Top-level windows, kept for the control's lifetime.
    if (!m_formMain)
        m_formMain = std::make_unique<FormMain>(m_session);
    return *m_formMain;
}

FormCheckDocs &OruHRPrintBatch1::formCheckDocs()
{
    if (!m_formCheckDocs)
        m_formCheckDocs = std::make_unique<FormCheckDocs>(m_session);
    return *m_formCheckDocs;
}

void OruHRPrintBatch1::takeSessionValues()
{
    qCInfo(lcShell) << "session for user" << m_userId << "position" << m_positionId;
    m_session.ActiveConnectionString = m_connectionString;
    m_session.ActiveUserID = m_userId;
    m_session.ActivePositionID = m_positionId;
    m_session.ActiveEmployeeID = m_employeeId;
    m_session.ConnectDataEnvironment();
}

QVariant OruHRPrintBatch1::showPayslipWindow(bool printMode)
{
    takeSessionValues();
    FormMain &window = formMain();
    window.IsPrintMode = printMode;
    window.showModal();
    return {};
}

QVariant OruHRPrintBatch1::ClearShow()
{
    return showPayslipWindow(true);
}

QVariant OruHRPrintBatch1::TempSaveMonthlySalary()
{
    return showPayslipWindow(false);
}

bool OruHRPrintBatch1::ShowDocs()
{
    takeSessionValues();
    formCheckDocs().showModal();
    return false;
}

} // namespace oruhr
