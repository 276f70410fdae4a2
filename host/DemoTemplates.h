#pragma once

#include <QString>
#include <QStringList>

namespace oruhr::host {

// The report templates shipped with the program for the demo database, whose template
// catalogue names them relative to the application folder.
class DemoTemplates {
public:
    // Their paths relative to the application folder, as the catalogue stores them.
    static QStringList relativePaths();
    // Writes every shipped template that is missing or differs under the application folder;
    // false when one could not be written.
    static bool install(const QString &applicationFolder);
};

} // namespace oruhr::host
