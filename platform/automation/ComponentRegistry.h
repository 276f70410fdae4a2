#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

namespace oruhr {

// Creates components by programmatic identifier ("comMessage.comMSG") or by class
// identifier ("{...}"). A component is a QObject whose properties and invokable methods
// are its members, reached by name through Dispatch.
class ComponentRegistry {
public:
    using Factory = std::function<std::unique_ptr<QObject>()>;
    struct Entry {
        QUuid classId;
        Factory factory;
    };

    // Registers (or replaces) a factory; a null class identifier registers the name alone.
    void registerComponent(const QString &progId, const QUuid &classId, Factory factory);
    void unregisterComponent(const QString &progId);
    bool isRegistered(const QString &identifier) const;
    // What is registered under the programmatic identifier, if anything.
    std::optional<Entry> registration(const QString &progId) const;

    // Throws ComponentError 429 when nothing is registered under the identifier,
    // or when the factory gives no object.
    std::unique_ptr<QObject> create(const QString &identifier) const;

private:
    const Entry *find(const QString &identifier) const;

    QHash<QString, Entry> m_byProgId; // keyed by the lower-case programmatic identifier
};

// Registers a component for the lifetime of the guard and afterwards puts back what was
// registered before, if anything; tests put their doubles in place with it.
class ScopedComponent {
public:
    ScopedComponent(ComponentRegistry &registry, QString progId, ComponentRegistry::Factory factory,
                    QUuid classId = {});
    ~ScopedComponent();
    ScopedComponent(const ScopedComponent &) = delete;
    ScopedComponent &operator=(const ScopedComponent &) = delete;

private:
    ComponentRegistry &m_registry;
    QString m_progId;
    std::optional<ComponentRegistry::Entry> m_previous;
};

} // namespace oruhr
