#pragma once

namespace oruhr::SpreadsheetErrors {

// "Application-defined or object-defined error", the spreadsheet application's number for
// every failure of its own.
constexpr int ObjectDefined = 1004;

} // namespace oruhr::SpreadsheetErrors
