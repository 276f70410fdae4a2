#pragma once

#include <QString>

namespace oruhr {

class ComponentRegistry;
class ModMain;
class PelikDate;

// The payroll month as both windows set it at load: the application folder and the first
// day of the month from the system parameters, and the one-month period.
class PayrollMonth {
public:
    // Parameter 140 into the session's ApplicationFolder; a missing row keeps the old value.
    static void readApplicationFolder(ModMain &session);
    // Parameter 3450 as text (NULL as empty); today's Persian date when the row is missing.
    static QString readStartDateText(ModMain &session);
    // The end first, as the last day of the start's month, then the begin.
    static void setDefaultPeriod(PelikDate &begin, PelikDate &end, const QString &startText);
    // What both windows do at load: the application folder, the start text (returned) and the
    // default period, set without raising the pickers' change, so that the list is built
    // once afterwards.
    static QString loadPeriod(ModMain &session, PelikDate &begin, PelikDate &end);
    // False when a date is empty, or (told) when the end comes before the begin.
    static bool isListable(const ComponentRegistry &components, const PelikDate &begin, const PelikDate &end);

    // A date the user emptied: one message, then the month's first (or last) day put back
    // without raising the change again. A start text that gives no date (a month above 12)
    // leaves the picker empty, and the list then shows nothing.
    static void restoreEmptiedBegin(const ComponentRegistry &components, PelikDate &begin, const QString &startText);
    static void restoreEmptiedEnd(const ComponentRegistry &components, PelikDate &end, const QString &startText);
};

} // namespace oruhr
