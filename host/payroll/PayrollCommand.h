#pragma once

#include "host/monthend/MonthEndBatch.h"
#include "host/monthend/MonthEndPeriod.h"

#include <QString>
#include <QStringList>

namespace oruhr {
class ModMain;
}

namespace oruhr::host {

// One command of oruhr-payroll over a connected session: the window's steps, the unposted
// payslips and their posting, the bank file. Results go to standard output, progress and
// problems to standard error, all in the windows' Persian.
class PayrollCommand {
public:
    // The exit statuses.
    static constexpr int Done = 0;       // everything asked was done
    static constexpr int Failed = 1;     // the database refused or a run stopped at an employee
    static constexpr int UsageError = 2; // the command line was wrong; nothing was done
    static constexpr int LeftOver = 3;   // done, with something left for the clerk

    struct Options {
        QString command;
        QStringList arguments;
        MonthEndBatch::Filter filter;
        QString outFile;
        bool confirmed = false;
    };

    PayrollCommand(ModMain &session, MonthEndPeriod period);

    // Throws ComponentError when the database fails outside a run.
    int run(const Options &options);

private:
    int runStep(const Options &options);
    int listUnposted();
    int post();
    int writeBankFile(const QString &file);
    // After a finalisation: the payslips its document did not take.
    int tellUnposted();

    ModMain &m_session;
    MonthEndPeriod m_period;
};

} // namespace oruhr::host
