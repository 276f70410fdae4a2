#pragma once

#include "host/monthend/BankTransferFile.h"
#include "host/monthend/UnpostedPayslips.h"
#include "payslips/EmployeeRow.h"

#include <QString>
#include <QStringList>

namespace oruhr::MonthEndText {

// What the command line prints and the host shows, in the same words.
QString rials(qint64 amount);
QString unpostedSummary(const QString &month, const QList<UnpostedPayslips::Payslip> &payslips);
QString unpostedLine(const UnpostedPayslips::Payslip &payslip);
QString posted(int documents, int payslips);
QString bankFileWritten(const QString &file, const BankTransferFile &bankFile);
QString leftOutLine(const BankTransferFile::LeftOut &leftOut);
QString leftOutSummary(const BankTransferFile &bankFile);
QString runStopped(const EmployeeRow &employee, const QString &reason);

} // namespace oruhr::MonthEndText
