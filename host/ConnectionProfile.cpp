#include "host/ConnectionProfile.h"

#include "platform/database/BackendTarget.h"

namespace oruhr::host {
namespace {

const char *const backendNames[] = {"SQLite", "PostgreSQL", "SqlServer"};

} // namespace

QString ConnectionProfile::connectionString() const
{
    if (backend == Backend::SQLite)
        return QStringLiteral("Provider=SQLite;Data Source=") + server;
    QString text = backend == Backend::PostgreSQL ? QStringLiteral("Provider=PostgreSQL") : QStringLiteral("Provider=SQLOLEDB");
    text += QStringLiteral(";Data Source=") + server + QStringLiteral(";Initial Catalog=") + database;
    if (login.isEmpty())
        return backend == Backend::SqlServer ? text + QStringLiteral(";Integrated Security=SSPI") : text;
    text += QStringLiteral(";User ID=") + login;
    return password ? db::BackendTarget::withPassword(text, password) : text;
}

bool ConnectionProfile::needsPassword() const
{
    return backend != Backend::SQLite && !login.isEmpty() && !password;
}

std::optional<ConnectionProfile::Backend> ConnectionProfile::backendNamed(const QString &name)
{
    for (int i = 0; i < 3; ++i)
        if (name.compare(QLatin1String(backendNames[i]), Qt::CaseInsensitive) == 0)
            return Backend(i);
    return std::nullopt;
}

QString ConnectionProfile::backendName(Backend backend)
{
    return QLatin1String(backendNames[int(backend)]);
}

} // namespace oruhr::host
