#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <optional>

namespace oruhr::test {

// Points the system's temporary folder (TMPDIR) at a fresh folder while it lives, so that
// tests of what the program does there touch only their own.
class ScopedTempFolder {
public:
    ScopedTempFolder() { qputenv("TMPDIR", m_dir.path().toLocal8Bit()); }
    ~ScopedTempFolder() { m_previous ? qputenv("TMPDIR", *m_previous) : qunsetenv("TMPDIR"); }
    ScopedTempFolder(const ScopedTempFolder &) = delete;
    ScopedTempFolder &operator=(const ScopedTempFolder &) = delete;

    QString path() const { return m_dir.path(); }
    QDir dir() const { return QDir(m_dir.path()); }

private:
    std::optional<QByteArray> m_previous =
        qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
    QTemporaryDir m_dir;
};

} // namespace oruhr::test
