#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

namespace oruhr {

// The text the windows' designed places are measured for. They were drawn for a narrow
// 8-point Tahoma: where a check box and a label overlap by design, a wider text runs into its
// neighbour. Noto Sans Arabic UI at 7 points is as narrow, and as high as the 13-pixel
// labels; its Latin comes from Noto Sans. Vertical hinting only, so that a screen's hinting
// never widens a text.
inline QFont designedFont()
{
    QFont text;
    text.setFamilies({QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("Noto Sans")});
    text.setPointSizeF(7);
    text.setHintingPreference(QFont::PreferVerticalHinting);
    return text;
}

// What every window of the component shares: right to left, resizable and maximizable,
// no help button, and the designed text.
inline void prepareDesignedWindow(QDialog &window, const char *objectName)
{
    window.setObjectName(QString::fromLatin1(objectName));
    window.setLayoutDirection(Qt::RightToLeft);
    window.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    window.setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    window.setFont(designedFont());
}

} // namespace oruhr
