#pragma once

#include <QDialog>
#include <QString>

namespace oruhr {

// What every window of the component shares: right to left, resizable and maximizable,
// no help button, and the 8-point text its designed places are measured for.
inline void prepareDesignedWindow(QDialog &window, const char *objectName)
{
    window.setObjectName(QString::fromLatin1(objectName));
    window.setLayoutDirection(Qt::RightToLeft);
    window.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    window.setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    QFont text = window.font();
    text.setPointSize(8);
    window.setFont(text);
}

} // namespace oruhr
