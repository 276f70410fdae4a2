#pragma once

#include <QVariantMap>

namespace oruhr {

// The host's stored form of a control: named values, where a value equal to its default
// is not stored and a missing entry reads as the default.
class PropertyBag {
public:
    QVariant readProperty(const QString &name, const QVariant &defaultValue) const;
    void writeProperty(const QString &name, const QVariant &value, const QVariant &defaultValue);

    const QVariantMap &values() const { return m_values; }
    void setValues(const QVariantMap &values) { m_values = values; }

private:
    QVariantMap m_values;
};

} // namespace oruhr
