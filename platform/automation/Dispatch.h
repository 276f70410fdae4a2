#pragma once

#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>

namespace oruhr {

// Late-bound access to a component's members by name, as automation clients do.
// A member the component lacks raises ComponentError 438.
namespace Dispatch {

void setProperty(QObject &component, const char *name, const QVariant &value);
QVariant property(const QObject &component, const char *name);
QVariant call(QObject &component, const char *method, const QVariantList &arguments = {});

// Runs one step of using a component; a ComponentError is logged after the component's
// label and swallowed, so that the caller goes on with its next step.
void skippingFailure(const QLoggingCategory &category, const char *label, const char *step,
                     const std::function<void()> &run);

} // namespace Dispatch
} // namespace oruhr
