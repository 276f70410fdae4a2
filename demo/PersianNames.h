#pragma once

#include <QStringList>

namespace oruhr::demo {

// Common Persian given names and surnames for demo employees, spelt with the Arabic yeh
// and the keheh that the system's own texts use.
struct PersianNames {
    static const QStringList &maleFirstNames();
    static const QStringList &femaleFirstNames();
    static const QStringList &surnames();
};

} // namespace oruhr::demo
