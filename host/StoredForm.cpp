#include "host/StoredForm.h"

#include "platform/automation/ComponentError.h"
#include "platform/database/BackendTarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace oruhr::host {
namespace {

const QString group = QStringLiteral("OruHRPrintBatch1");
const QString keepPasswordKey = QStringLiteral("Host/KeepPassword");
const QString connectionKey = QStringLiteral("OLEConnectionString");

} // namespace

StoredForm::StoredForm(QString file)
    : m_file(std::move(file))
{
}

PropertyBag StoredForm::load() const
{
    PropertyBag bag;
    if (!QFileInfo::exists(m_file))
        return bag;
    QSettings settings(m_file, QSettings::IniFormat);
    settings.beginGroup(group);
    QVariantMap values;
    for (const QString &key : settings.childKeys())
        values.insert(key, settings.value(key));
    bag.setValues(values);
    return bag;
}

bool StoredForm::keepsPassword() const
{
    return QSettings(m_file, QSettings::IniFormat).value(keepPasswordKey, true).toBool();
}

void StoredForm::save(const PropertyBag &bag, bool keepPassword) const
{
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    // Create it private before anything is written into it.
    {
        QFile file(m_file);
        if (!file.exists() && file.open(QIODevice::WriteOnly))
            file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    QSettings settings(m_file, QSettings::IniFormat);
    settings.remove(group);
    settings.beginGroup(group);
    QVariantMap values = bag.values();
    if (!keepPassword && values.contains(connectionKey))
        values[connectionKey] = db::BackendTarget::withPassword(values.value(connectionKey).toString(), std::nullopt);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.endGroup();
    settings.setValue(keepPasswordKey, keepPassword);
    settings.sync();
    QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
    if (settings.status() != QSettings::NoError)
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("فرم ذخيره شده نوشته نشد: ") + m_file);
}

} // namespace oruhr::host
