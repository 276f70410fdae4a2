#pragma once

#include <QDateTime>
#include <QString>

namespace oruhr {

class ComponentRegistry;

// Temporary copies of report templates, in dated folders of the system's temporary folder.

// The dated folder's name: year, month, day, hour, minute and second, each without leading
// zeros and without separators (6 January 2015 at 09:05:07 gives 201516957).
QString DatedFolderName(const QDateTime &moment);

// A full path that names no existing file, with a three-letter extension that the caller
// replaces. folder is empty on a run's first call: the dated folder is then made and kept
// in it for the later calls; it is made readable by the user alone. Empty, after the message,
// when the temporary folder is missing or the dated folder's name is taken by a folder that
// is not the user's alone.
QString GetTempReportFile(const ComponentRegistry &components, QString &folder);

// Deletes the dated folders of earlier runs of this year. The temporary folder is shared by
// every program on the machine, so only folders whose whole name is digits, that begin with
// the current year and that belong to the user running the program are touched.
void ReportFolderCleanup();

} // namespace oruhr
