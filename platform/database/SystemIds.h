#pragma once

#include <QtGlobal>

// The identifiers the system gives meaning to in the customers' databases, named once.
namespace oruhr::ids {

// Form types of the report template catalogue and of accounting document lines.
constexpr qint32 OrdinanceForm = 1401;
constexpr qint32 PayslipForm = 1402;
constexpr qint32 EveryForm = 1406;

// The four kinds of HR document the document window finalises.
constexpr qint32 OrdinanceDocument = 1022007;
constexpr qint32 LoanDocument = 1022009;
constexpr qint32 FundDocument = 1022021;
constexpr qint32 GroupAdjustmentDocument = 1022041;

// System parameters (tblPelikSystemParameters).
constexpr qint32 ApplicationFolderParameter = 140;
constexpr qint32 PayrollMonthStartParameter = 3450;

// Salary factors entered directly for every period, and the one of them that is never missed.
constexpr qint32 EnteredFactorType = 6;
constexpr qint32 EnteredFactorParameterType = 3;
constexpr qint32 AbsenceFactor = 1096;

} // namespace oruhr::ids
