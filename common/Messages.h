#pragma once

#include <QString>
#include <QVariant>

namespace oruhr {

class ComponentRegistry;

// Every message and question goes through the message component of the session's registry,
// a fresh instance per call. A missing component (error 429) drops the message silently; any
// other failure is ignored. No error ever reaches the caller.
void ShowMessage(const ComponentRegistry &components, const QVariant &title, const QString &text);

// 6 for yes, 7 for no, 0 for no answer (component missing, or an answer other than 1 or 0).
// Callers cancel only on 7.
qint16 AskYesNo(const ComponentRegistry &components, const QVariant &title, const QString &text);

namespace Answer {
constexpr qint16 Yes = 6;
constexpr qint16 No = 7;
constexpr qint16 None = 0;
} // namespace Answer

} // namespace oruhr
