#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace oruhr::host {

// The host program's command line.
struct HostOptions {
    enum class Action { None, TempSave, ClearShow, ShowDocs };

    std::optional<QString> connection;
    std::optional<qint16> user;
    std::optional<qint16> position;
    std::optional<qint16> employee;
    Action action = Action::None;

    // Fills error and returns nullopt on a bad command line. The connection string comes from
    // --connection, else the first line of --connection-file (readable by the user alone), else
    // the environment variable ORUHR_CONNECTION, so that a password need not be on the command line.
    static std::optional<HostOptions> parse(const QStringList &arguments, QString &error);
    // The first line of a connection file that its owner alone can read; nullopt and the
    // reason in error otherwise.
    static std::optional<QString> connectionFromFile(const QString &path, QString &error);
};

} // namespace oruhr::host
