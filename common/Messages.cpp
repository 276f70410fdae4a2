#include "common/Messages.h"

#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"

#include <functional>

namespace oruhr {
namespace {

const QString messageComponent = QStringLiteral("comMessage.comMSG");

// A failing step is skipped and the next one runs.
template<typename Step>
void ignoringFailure(Step &&step)
{
    try {
        step();
    } catch (...) {
    }
}

// Sets the three members and shows the dialog; nullptr when the component is missing.
std::unique_ptr<QObject> shown(const QVariant &title, const QString &text, qint16 formType)
{
    std::unique_ptr<QObject> component;
    ignoringFailure([&] { component = ComponentRegistry::instance().create(messageComponent); });
    if (!component)
        return nullptr;
    ignoringFailure([&] { Dispatch::setProperty(*component, "FormTitle", title); });
    ignoringFailure([&] { Dispatch::setProperty(*component, "FormMessage", text); });
    ignoringFailure([&] { Dispatch::setProperty(*component, "FormType", QVariant::fromValue(formType)); });
    ignoringFailure([&] { Dispatch::call(*component, "ClearShow"); });
    return component;
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
    ignoringFailure([&] { result = Dispatch::property(*component, "Resualt"); });
    bool isNumber = false;
    const int answer = result.toInt(&isNumber);
    if (isNumber && answer == 1)
        return Answer::Yes;
    if (isNumber && answer == 0)
        return Answer::No;
    return Answer::None;
}

} // namespace oruhr
