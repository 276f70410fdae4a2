#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace oruhr {

class ModMain;

// The payroll month a month end works on: as the windows set it, from the first day the
// database names (system parameter 3450) to the last day of its Persian month, or a month
// the administrator names.
struct MonthEndPeriod {
    QDate begin;
    QDate end;

    // "1405/09": the whole Persian month; nullopt when it names none.
    static std::optional<MonthEndPeriod> ofMonth(const QString &yearMonth);
    // The windows' period; throws ComponentError when the parameter gives no date.
    static MonthEndPeriod ofDatabase(ModMain &session);

    QString persianMonth() const; // "1405/09"
};

} // namespace oruhr
