#include "platform/automation/ComponentError.h"

namespace oruhr {

ComponentError::ComponentError(int number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what((QString::number(number) + QLatin1String(": ") + m_description).toStdString())
{
}

} // namespace oruhr
