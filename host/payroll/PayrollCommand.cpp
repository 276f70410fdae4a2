#include "host/payroll/PayrollCommand.h"

#include "common/MessageText.h"
#include "host/monthend/BankTransferFile.h"
#include "host/monthend/MonthEndText.h"
#include "host/monthend/UnpostedPayslips.h"
#include "host/payroll/TerminalProgress.h"

#include <QTextStream>

#include <algorithm>

namespace oruhr::host {
namespace {

const struct {
    const char *name;
    PayslipBatchKind kind;
} steps[] = {
    {"tempsave", PayslipBatchKind::TempSave},   {"calc", PayslipBatchKind::Calc},
    {"finalize", PayslipBatchKind::Finalize},   {"back", PayslipBatchKind::BackToTemp},
    {"delete", PayslipBatchKind::Delete},
};

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usage(const QString &message)
{
    err() << "oruhr-payroll: " << message << "\nTry 'oruhr-payroll --help'.\n";
    err().flush();
    return PayrollCommand::UsageError;
}

} // namespace

PayrollCommand::PayrollCommand(ModMain &session, MonthEndPeriod period)
    : m_session(session)
    , m_period(period)
{
}

int PayrollCommand::run(const Options &options)
{
    int status = UsageError;
    if (options.command == QLatin1String("run"))
        status = runStep(options);
    else if (!options.arguments.isEmpty())
        status = usage(QStringLiteral("%1 takes no argument").arg(options.command));
    else if (options.command == QLatin1String("unposted"))
        status = listUnposted();
    else if (options.command == QLatin1String("post"))
        status = post();
    else if (options.command == QLatin1String("bank-file"))
        status = options.outFile.isEmpty() ? usage(QStringLiteral("bank-file needs --out FILE.xlsx or FILE.csv"))
                                           : writeBankFile(options.outFile);
    else
        status = usage(QStringLiteral("unknown command '%1'").arg(options.command));
    out().flush();
    err().flush();
    return status;
}

int PayrollCommand::runStep(const Options &options)
{
    if (options.arguments.size() != 1)
        return usage(QStringLiteral("run needs one step: tempsave, calc, finalize, back or delete"));
    const auto step = std::find_if(std::begin(steps), std::end(steps), [&](const auto &candidate) {
        return options.arguments.first() == QLatin1String(candidate.name);
    });
    if (step == std::end(steps))
        return usage(QStringLiteral("unknown step '%1': tempsave, calc, finalize, back or delete")
                         .arg(options.arguments.first()));
    const MonthEndBatch batch(m_session, step->kind, m_period, options.filter);
    if (!batch.step().confirmation.isEmpty() && !options.confirmed)
        return usage(batch.step().confirmation + QStringLiteral(" (--yes)"));

    TerminalProgress progress;
    const MonthEndBatch::Result result = batch.run([&progress](int done, int listed, const EmployeeRow &row) {
        progress.advance(done, listed, row.firstName + QLatin1Char(' ') + row.surname);
    });
    progress.finish();
    if (result.listed == 0) {
        out() << MessageText::NoEmployeeChecked << '\n';
        return Done;
    }
    if (result.failedAt) {
        err() << MonthEndText::runStopped(*result.failedAt, result.failure) << '\n'
              << MessageText::countMessage(result.done, batch.step().countTail) << '\n';
        return Failed;
    }
    out() << MessageText::countMessage(result.done, batch.step().countTail) << '\n';
    if (result.document > 0)
        out() << MessageText::accountDocumentIssued(result.document) << '\n';
    return batch.step().issuesAccountDocument ? tellUnposted() : Done;
}

int PayrollCommand::tellUnposted()
{
    const QList<UnpostedPayslips::Payslip> unposted = UnpostedPayslips(m_session, m_period).list();
    if (unposted.isEmpty())
        return Done;
    out() << MonthEndText::unpostedSummary(m_period.persianMonth(), unposted) << '\n'
          << QStringLiteral("براي ثبت آنها: oruhr-payroll post") << '\n';
    return LeftOver;
}

int PayrollCommand::listUnposted()
{
    const QList<UnpostedPayslips::Payslip> unposted = UnpostedPayslips(m_session, m_period).list();
    for (const UnpostedPayslips::Payslip &payslip : unposted)
        out() << MonthEndText::unpostedLine(payslip) << '\n';
    out() << MonthEndText::unpostedSummary(m_period.persianMonth(), unposted) << '\n';
    return Done;
}

int PayrollCommand::post()
{
    const UnpostedPayslips::Posting posting = UnpostedPayslips(m_session, m_period).post([](qint32 document) {
        out() << MessageText::accountDocumentIssued(document) << '\n';
        out().flush();
    });
    out() << MonthEndText::posted(int(posting.documents.size()), posting.payslips) << '\n';
    return Done;
}

int PayrollCommand::writeBankFile(const QString &file)
{
    BankTransferFile bankFile(m_session, m_period);
    bankFile.read();
    bankFile.save(file);
    out() << MonthEndText::bankFileWritten(file, bankFile) << '\n';
    const QString leftOut = MonthEndText::leftOutSummary(bankFile);
    if (!leftOut.isEmpty())
        err() << leftOut << '\n';
    return bankFile.leftOut().isEmpty() ? Done : LeftOver;
}

} // namespace oruhr::host
