#include "payslips/AccountDocumentLookup.h"

#include "common/MessageText.h"
#include "common/Messages.h"
#include "payslips/FormFormIDs.h"
#include "payslips/PayslipSql.h"
#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "shell/DtEn.h"
#include "shell/ModMain.h"

#include <functional>
#include <memory>

namespace oruhr {
namespace {

// From the component's creation on, a failing step is skipped and the next one runs.
void ignoringFailure(const std::function<void()> &step)
{
    try {
        step();
    } catch (const ComponentError &) {
    }
}

QString lookUp(const QDate &endDate)
{
    const QString end = DtEn::instance().connection().dateLiteral(endDate);
    db::Recordset &recordset = DtEn::instance().rssqlCommon();
    recordset.close();
    recordset.open(PayslipSql::accountDocuments(end));
    QString number = QStringLiteral("-1");
    if (recordset.recordCount() == 1) {
        recordset.moveFirst();
        number = recordset.field(QStringLiteral("DocumentID")).toString();
    } else if (recordset.recordCount() > 1) {
        number = QString::number(FormFormIDs::instance().getFormID(AccountDocumentLookup::payslipFormType, end));
    }
    recordset.close();
    return number;
}

} // namespace

std::optional<QString> AccountDocumentLookup::find(const QDate &endDate)
{
    try {
        return lookUp(endDate);
    } catch (const ComponentError &error) {
        DtEn::instance().rssqlCommon().close();
        ShowMessage(MessageText::TitleError, error.description());
        return std::nullopt;
    }
}

void AccountDocumentLookup::open(const QString &documentNumber)
{
    const double number = documentNumber.toDouble(); // text that is no number reads as 0
    if (number == -1) {
        ShowMessage(MessageText::TitleError, MessageText::NoPayrollAccountDocument);
        return;
    }
    if (!(number > 0)) {
        ShowMessage(MessageText::TitleProblem, MessageText::AccountDocumentMissing);
        return;
    }
    std::unique_ptr<QObject> component;
    try {
        component = ComponentRegistry::instance().create(QString::fromLatin1(accountingProgId));
    } catch (const ComponentError &error) {
        if (error.number() == ComponentError::CannotCreateComponent)
            ShowMessage(MessageText::TitleProblem, MessageText::ComponentUnavailable);
        return;
    }
    ignoringFailure([&] { Dispatch::setProperty(*component, "UserID", QVariant::fromValue(ModMain::ActiveUserID)); });
    ignoringFailure(
        [&] { Dispatch::setProperty(*component, "PositionID", QVariant::fromValue(ModMain::ActivePositionID)); });
    ignoringFailure(
        [&] { Dispatch::setProperty(*component, "EmployeeID", QVariant::fromValue(ModMain::ActiveEmployeeID)); });
    ignoringFailure(
        [&] { Dispatch::setProperty(*component, "OLEConnectionString", ModMain::ActiveConnectionString); });
    ignoringFailure([&] { Dispatch::call(*component, "View", {number}); });
}

} // namespace oruhr
