#include "host/StoredForm.h"

#include "platform/automation/ComponentError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace oruhr::host {
namespace {

const QString group = QStringLiteral("OruHRPrintBatch1");

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

void StoredForm::save(const PropertyBag &bag) const
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
    for (auto it = bag.values().cbegin(); it != bag.values().cend(); ++it)
        settings.setValue(it.key(), it.value());
    settings.endGroup();
    settings.sync();
    QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
    if (settings.status() != QSettings::NoError)
        throw ComponentError(ComponentError::CommandFailed,
                             QStringLiteral("فرم ذخيره شده نوشته نشد: ") + m_file);
}

} // namespace oruhr::host
