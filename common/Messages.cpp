#include "common/Messages.h"

#include "common/CommonLog.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"

namespace oruhr {
namespace {

const QString messageComponent = QStringLiteral("comMessage.comMSG");

// A failing step is skipped and the next one runs.
void skippingFailure(const char *step, const std::function<void()> &run)
{
    Dispatch::skippingFailure(lcCommon(), "message component:", step, run);
}

// Sets the three members and shows the dialog; nullptr when the component is missing.
std::unique_ptr<QObject> shown(const ComponentRegistry &components, const QVariant &title, const QString &text,
                               qint16 formType)
{
    std::unique_ptr<QObject> component;
    skippingFailure("creation", [&] { component = components.create(messageComponent); });
    if (!component)
        return nullptr;
    skippingFailure("FormTitle", [&] { Dispatch::setProperty(*component, "FormTitle", title); });
    skippingFailure("FormMessage", [&] { Dispatch::setProperty(*component, "FormMessage", text); });
    skippingFailure("FormType", [&] { Dispatch::setProperty(*component, "FormType", QVariant::fromValue(formType)); });
    skippingFailure("ClearShow", [&] { Dispatch::call(*component, "ClearShow"); });
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

void ShowMessage(const ComponentRegistry &components, const QVariant &title, const QString &text)
{
    shown(components, title, text, 0);
}

qint16 AskYesNo(const ComponentRegistry &components, const QVariant &title, const QString &text)
{
    const std::unique_ptr<QObject> component = shown(components, title, text, 1);
    if (!component)
        return Answer::None;
    QVariant result;
    skippingFailure("Resualt", [&] { result = Dispatch::property(*component, "Resualt"); });
    return answerOf(result);
}

} // namespace oruhr
