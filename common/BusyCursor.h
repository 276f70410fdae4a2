#pragma once

#include <QApplication>

namespace oruhr {

// The hourglass for the length of a scope, or until restored earlier (before a message).
class BusyCursor {
public:
    BusyCursor() { set(); }
    ~BusyCursor() { restore(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

    bool active() const { return m_active; }
    void set()
    {
        if (!m_active)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        m_active = true;
    }

private:
    bool m_active = false;
};

} // namespace oruhr
