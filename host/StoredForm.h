#pragma once

#include "shell/PropertyBag.h"

#include <QString>

namespace oruhr::host {

// The host's stored form of its control: the property bag in an INI file. The file is
// readable by the user alone, since the connection string may carry a password.
class StoredForm {
public:
    explicit StoredForm(QString file);

    QString file() const { return m_file; }
    PropertyBag load() const;
    // Whether the connection string is stored with its password (the default).
    bool keepsPassword() const;
    // Throws ComponentError when the file cannot be written.
    void save(const PropertyBag &bag, bool keepPassword = true) const;

private:
    QString m_file;
};

} // namespace oruhr::host
