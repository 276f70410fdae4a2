#include "platform/automation/Dispatch.h"

#include "platform/automation/ComponentError.h"

#include <QMetaMethod>
#include <QMetaProperty>

#include <array>

namespace oruhr::Dispatch {
namespace {

[[noreturn]] void memberNotFound(const QObject &component, const char *name)
{
    throw ComponentError(ComponentError::MemberNotFound,
                         QStringLiteral("Object doesn't support this property or method: %1.%2")
                             .arg(QString::fromLatin1(component.metaObject()->className()),
                                  QString::fromLatin1(name)));
}

QMetaProperty findProperty(const QObject &component, const char *name)
{
    const QMetaObject *meta = component.metaObject();
    const int index = meta->indexOfProperty(name);
    if (index < 0)
        memberNotFound(component, name);
    return meta->property(index);
}

QMetaMethod findMethod(const QObject &component, const char *name, qsizetype argumentCount)
{
    const QMetaObject *meta = component.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.name() == name && method.parameterCount() == argumentCount
            && method.methodType() != QMetaMethod::Signal)
            return method;
    }
    memberNotFound(component, name);
}

} // namespace

void setProperty(QObject &component, const char *name, const QVariant &value)
{
    const QMetaProperty meta = findProperty(component, name);
    QVariant converted = value;
    if (!converted.convert(meta.metaType()) || !meta.write(&component, converted))
        throw ComponentError(ComponentError::ValueOfWrongType,
                             QStringLiteral("Type mismatch setting %1").arg(QString::fromLatin1(name)));
}

QVariant property(const QObject &component, const char *name)
{
    return findProperty(component, name).read(&component);
}

QVariant call(QObject &component, const char *method, const QVariantList &arguments)
{
    constexpr qsizetype maxArguments = 10;
    if (arguments.size() > maxArguments)
        memberNotFound(component, method);
    const QMetaMethod meta = findMethod(component, method, arguments.size());

    QVariantList converted = arguments;
    std::array<QGenericArgument, maxArguments> generic{};
    for (qsizetype i = 0; i < converted.size(); ++i) {
        const QMetaType type = meta.parameterMetaType(int(i));
        if (type.id() != QMetaType::QVariant && !converted[i].convert(type))
            throw ComponentError(ComponentError::ValueOfWrongType,
                                 QStringLiteral("Type mismatch in argument %1 of %2")
                                     .arg(i + 1)
                                     .arg(QString::fromLatin1(method)));
        generic[size_t(i)] = type.id() == QMetaType::QVariant
                                 ? QGenericArgument("QVariant", &converted[i])
                                 : QGenericArgument(type.name(), converted[i].constData());
    }

    QVariant result;
    QGenericReturnArgument returnArgument;
    const QMetaType returnType = meta.returnMetaType();
    if (returnType.id() == QMetaType::QVariant) {
        returnArgument = QGenericReturnArgument("QVariant", &result);
    } else if (returnType.isValid() && returnType.id() != QMetaType::Void) {
        result = QVariant(returnType);
        returnArgument = QGenericReturnArgument(returnType.name(), result.data());
    }
    const bool invoked = meta.invoke(&component, Qt::DirectConnection, returnArgument,
                                     generic[0], generic[1], generic[2], generic[3], generic[4],
                                     generic[5], generic[6], generic[7], generic[8], generic[9]);
    if (!invoked)
        memberNotFound(component, method);
    return result;
}

void skippingFailure(const QLoggingCategory &category, const char *label, const char *step,
                     const std::function<void()> &run)
{
    try {
        run();
    } catch (const ComponentError &error) {
        qCWarning(category) << label << step << "failed, skipped:" << error.number() << error.description();
    }
}

} // namespace oruhr::Dispatch
