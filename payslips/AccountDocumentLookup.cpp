#include "payslips/AccountDocumentLookup.h"

#include "common/MessageText.h"
#include "common/Messages.h"
#include "payslips/EmployeeListWindow.h"
#include "payslips/FormFormIDs.h"
#include "payslips/PayslipLog.h"
#include "payslips/PayslipSql.h"
#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "platform/controls/PelikDate.h"
#include "platform/database/SystemIds.h"
#include "shell/ModMain.h"

#include <memory>

namespace oruhr {

AccountDocumentLookup::AccountDocumentLookup(EmployeeListWindow &window)
    : m_window(window)
{
}

QString AccountDocumentLookup::lookUp() const
{
    DtEn &dtEn = m_window.session().dtEn();
    const QString end = dtEn.dateLiteral(m_window.endDate().englishdate());
    const db::Recordset recordset = dtEn.query(PayslipSql::accountDocuments(end));
    if (recordset.recordCount() == 1)
        return recordset.field(QStringLiteral("DocumentID")).toString();
    if (recordset.recordCount() > 1)
        return QString::number(m_window.documentChoice().getFormID(ids::PayslipForm, end));
    return QStringLiteral("-1");
}

std::optional<QString> AccountDocumentLookup::find() const
{
    try {
        return lookUp();
    } catch (const ComponentError &error) {
        ShowMessage(m_window.session().components(), MessageText::TitleError,
                    MessageText::databaseFailure(MessageText::AccountDocumentNotRead, error.description()));
        return std::nullopt;
    }
}

void AccountDocumentLookup::open(const QString &documentNumber) const
{
    const double number = documentNumber.toDouble(); // text that is no number reads as 0
    if (number == -1) {
        ShowMessage(m_window.session().components(), MessageText::TitleError, MessageText::NoPayrollAccountDocument);
        return;
    }
    if (!(number > 0)) {
        ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::AccountDocumentMissing);
        return;
    }
    std::unique_ptr<QObject> component;
    try {
        component = m_window.session().components().create(QString::fromLatin1(accountingProgId));
    } catch (const ComponentError &error) {
        if (error.number() == ComponentError::CannotCreateComponent)
            ShowMessage(m_window.session().components(), MessageText::TitleProblem, MessageText::ComponentUnavailable);
        else
            qCWarning(lcPayslips) << "accounting component not created, ignored:" << error.number()
                                  << error.description();
        return;
    }
    const ModMain &session = m_window.session();
    const std::pair<const char *, QVariant> properties[] = {
        {"UserID", QVariant::fromValue(session.ActiveUserID)},
        {"PositionID", QVariant::fromValue(session.ActivePositionID)},
        {"EmployeeID", QVariant::fromValue(session.ActiveEmployeeID)},
        {"OLEConnectionString", session.ActiveConnectionString},
    };
    for (const auto &[name, value] : properties)
        Dispatch::skippingFailure(lcPayslips(), "accounting component:", name,
                                  [&, name = name, value = value] { Dispatch::setProperty(*component, name, value); });
    Dispatch::skippingFailure(lcPayslips(), "accounting component:", "View",
                              [&] { Dispatch::call(*component, "View", {number}); });
}

} // namespace oruhr
