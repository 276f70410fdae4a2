#pragma once

namespace oruhr::ReportErrors {

// The report component's error numbers besides ComponentError::ReportFileCannotBeOpened.
constexpr int FieldNotInReport = 20515;  // a placeholder names no column of the report
constexpr int InvalidTemplate = 20525;   // the template names no main SQL
constexpr int NoRecord = 20536;          // the filter leaves no main record
constexpr int DataUnavailable = 20599;   // the report's SQL failed
constexpr int SqlWouldWrite = 20598;     // the report's SQL would change data
constexpr int OutputFailed = 20553;      // the printer or the PDF file could not be written

} // namespace oruhr::ReportErrors
