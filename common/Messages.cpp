#include "common/Messages.h"

#include "common/CommonLog.h"
#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"

#include <functional>

namespace oruhr {
namespace {

const QString messageComponent = QStringLiteral("comMessage.comMSG");

// A failing step is skipped and the next one runs.
template<typename Step>
void ignoringFailure(const char *what, Step &&step)
{
    try {
        step();
    } catch (const ComponentError &error) {
        qCWarning(lcCommon) << "message component:" << what << "failed, skipped:" << error.number()
                            << error.description();
    }
}

// Sets the three members and shows the dialog; nullptr when the component is missing.
std::unique_ptr<QObject> shown(const QVariant &title, const QString &text, qint16 formType)
{
    std::unique_ptr<QObject> component;
    ignoringFailure("creation", [&] { component = ComponentRegistry::instance().create(messageComponent); });
    if (!component)
        return nullptr;
    ignoringFailure("FormTitle", [&] { Dispatch::setProperty(*component, "FormTitle", title); });
    ignoringFailure("FormMessage", [&] { Dispatch::setProperty(*component, "FormMessage", text); });
    ignoringFailure("FormType", [&] { Dispatch::setProperty(*component, "FormType", QVariant::fromValue(formType)); });
    ignoringFailure("ClearShow", [&] { Dispatch::call(*component, "ClearShow"); });
    return component;
}

// Only a whole 1 or 0 is an answer: a fraction would round and a Boolean would convert.
qint16 answerOf(const QVariant &result)
{
    if (result.typeId() == QMetaType::Bool)
        return Answer::None;
    bool isNumber = false;
    const double answer = result.toDouble(&isNumber);
    if (isNumber && answer == 1)
        return Answer::Yes;
    if (isNumber && answer == 0)
        return Answer::No;
    return Answer::None;
}

} // namespace

void ShowMessage(const QVariant &title, const QString &text)
{
    shown(title, text, 0);
}

qint16 AskYesNo(const QVariant &title, const QString &text)
{
    const std::unique_ptr<QObject> component = shown(title, text, 1);
    if (!component)
        return Answer::None;
    QVariant result;
    ignoringFailure("Resualt", [&] { result = Dispatch::property(*component, "Resualt"); });
    return answerOf(result);
}

} // namespace oruhr
