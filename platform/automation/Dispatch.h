#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace oruhr {

// Late-bound access to a component's members by name, as automation clients do.
// A member the component lacks raises ComponentError 438.
namespace Dispatch {

void setProperty(QObject &component, const char *name, const QVariant &value);
QVariant property(const QObject &component, const char *name);
QVariant call(QObject &component, const char *method, const QVariantList &arguments = {});

} // namespace Dispatch
} // namespace oruhr
