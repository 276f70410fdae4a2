#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

namespace oruhr::test {

// Points the system's temporary folder (TMPDIR) at a fresh folder for the lifetime of the
// object, so that tests of what the program does in the shared temporary folder touch only
// their own.
class ScopedTempFolder {
public:
    ScopedTempFolder()
        : m_previous(qgetenv("TMPDIR"))
        , m_hadPrevious(qEnvironmentVariableIsSet("TMPDIR"))
    {
        qputenv("TMPDIR", m_dir.path().toLocal8Bit());
    }
    ~ScopedTempFolder()
    {
        if (m_hadPrevious)
            qputenv("TMPDIR", m_previous);
        else
            qunsetenv("TMPDIR");
    }
    ScopedTempFolder(const ScopedTempFolder &) = delete;
    ScopedTempFolder &operator=(const ScopedTempFolder &) = delete;

    QString path() const { return m_dir.path(); }
    QDir dir() const { return QDir(m_dir.path()); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};

} // namespace oruhr::test
