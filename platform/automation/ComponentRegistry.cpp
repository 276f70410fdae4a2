#include "platform/automation/ComponentRegistry.h"

#include "platform/automation/ComponentError.h"

namespace oruhr {

void ComponentRegistry::registerComponent(const QString &progId, const QUuid &classId, Factory factory)
{
    m_byProgId.insert(progId.toLower(), Entry{classId, std::move(factory)});
}

void ComponentRegistry::unregisterComponent(const QString &progId)
{
    m_byProgId.remove(progId.toLower());
}

bool ComponentRegistry::isRegistered(const QString &identifier) const
{
    return find(identifier) != nullptr;
}

std::optional<ComponentRegistry::Entry> ComponentRegistry::registration(const QString &progId) const
{
    const auto it = m_byProgId.constFind(progId.toLower());
    return it == m_byProgId.constEnd() ? std::nullopt : std::optional<Entry>(it.value());
}

const ComponentRegistry::Entry *ComponentRegistry::find(const QString &identifier) const
{
    const QString trimmed = identifier.trimmed();
    if (trimmed.startsWith(QLatin1Char('{'))) {
        const QUuid classId(trimmed);
        if (classId.isNull())
            return nullptr;
        for (const Entry &entry : m_byProgId)
            if (entry.classId == classId)
                return &entry;
        return nullptr;
    }
    const auto it = m_byProgId.constFind(trimmed.toLower());
    return it == m_byProgId.constEnd() ? nullptr : &it.value();
}

std::unique_ptr<QObject> ComponentRegistry::create(const QString &identifier) const
{
    const Entry *entry = find(identifier);
    std::unique_ptr<QObject> object = entry && entry->factory ? entry->factory() : nullptr;
    if (!object)
        throw ComponentError(ComponentError::CannotCreateComponent,
                             QStringLiteral("ActiveX component can't create object: ") + identifier);
    return object;
}

ScopedComponent::ScopedComponent(ComponentRegistry &registry, QString progId, ComponentRegistry::Factory factory,
                                 QUuid classId)
    : m_registry(registry)
    , m_progId(std::move(progId))
    , m_previous(registry.registration(m_progId))
{
    m_registry.registerComponent(m_progId, classId, std::move(factory));
}

ScopedComponent::~ScopedComponent()
{
    if (m_previous)
        m_registry.registerComponent(m_progId, m_previous->classId, m_previous->factory);
    else
        m_registry.unregisterComponent(m_progId);
}

} // namespace oruhr
